#include "driver_summary.h"

#include <string_view>

namespace sublumo {

namespace {

struct Tags {
    std::string_view open;
    std::string_view close;
};

Tags tagsOf(SummaryForm form) {
    switch (form) {
        case SummaryForm::ForumTags:
            return {"[b]", "[/b]"};
        case SummaryForm::HtmlTags:
            return {"<b>", "</b>"};
        case SummaryForm::Plain:
            break;
    }
    return {"", ""};
}

// Builds a summary line piece by piece; bold() wraps a piece in the form's tags.
class LineBuilder {
public:
    LineBuilder(Tags tags, NumberFormat format) : m_tags(tags), m_format(format) {}

    LineBuilder& text(std::string_view s) {
        m_line.append(s);
        return *this;
    }
    LineBuilder& bold(std::string_view s) {
        m_line.append(m_tags.open).append(s).append(m_tags.close);
        return *this;
    }
    LineBuilder& number(double v) {
        m_line += formatNumber(v, m_format);
        return *this;
    }
    std::string take() { return std::move(m_line); }

private:
    Tags m_tags;
    NumberFormat m_format;
    std::string m_line;
};

std::string nameLine(const std::string& name, SummaryOptions options, Tags tags) {
    LineBuilder b(tags, {});
    if (options.colourMark && options.form == SummaryForm::ForumTags)
        b.bold("[color=red]•[/color]").text(" ");
    else if (options.colourMark && options.form == SummaryForm::HtmlTags)
        b.bold("<font color=red>•</font>").text(" ");
    return b.bold(name).take();
}

// Length of the UTF-8 sequence starting with byte `lead` (1 for a stray byte).
std::size_t sequenceLength(unsigned char lead) {
    if (lead >= 0xF0 && lead < 0xF8)
        return 4;
    if (lead >= 0xE0)
        return lead < 0xF0 ? 3 : 1;
    if (lead >= 0xC0)
        return 2;
    return 1;
}

bool isSafeNameChar(char c, bool allowSlash) {
    if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))
        return true;
    if (c == '/')
        return allowSlash;
    return std::string_view(" &()+,-.[]").find(c) != std::string_view::npos;
}

// Replaces each character (a whole UTF-8 sequence counts as one) outside the safe set.
std::string replaceUnsafe(const std::string& name, char replacement, bool allowSlash) {
    std::string out;
    out.reserve(name.size());
    for (std::size_t i = 0; i < name.size();) {
        const std::size_t length = sequenceLength(static_cast<unsigned char>(name[i]));
        if (length == 1 && isSafeNameChar(name[i], allowSlash))
            out.push_back(name[i]);
        else
            out.push_back(replacement);
        i += length;
    }
    return out;
}

std::string replaceAll(std::string text, std::string_view from, std::string_view to) {
    for (std::size_t pos = text.find(from); pos != std::string::npos;
         pos = text.find(from, pos + to.size()))
        text.replace(pos, from.size(), to);
    return text;
}

}  // namespace

bool colourMarkEnabled(SummaryForm form) {
    return form != SummaryForm::Plain;
}

std::array<std::string, 4> buildDriverSummary(const DriverParameters& params,
                                              const std::string& diameterFieldText,
                                              SummaryOptions options, NumberFormat format) {
    using P = Param;
    const Tags tags = tagsOf(options.form);
    auto entered = [&](P p) { return params.value(p); };
    auto shown = [&](P p) { return params.displayValue(p); };

    LineBuilder l2(tags, format), l3(tags, format), l4(tags, format);
    l2.text("Qms=").number(entered(P::Qms)).text("; Qes=").number(entered(P::Qes)).text("; ");
    l2.bold("Qts").text("=").number(shown(P::Qts)).text("; ");
    l2.bold("fs").text("=").number(entered(P::fs)).text(" Hz; ");
    l2.bold("Mms").text("=").number(entered(P::Mms)).text(" g; Cms=").number(shown(P::Cms));
    l2.text(" mm/N; Rms=").number(shown(P::Rms)).text(" kg/s");

    l3.text("Dd=").text(diameterFieldText).text(" mm; ");
    l3.bold("Sd").text("=").number(shown(P::Sd)).text(" cm^2; ");
    l3.bold("Vas").text("=").number(shown(P::Vas)).text(" l; ");
    l3.bold("Re").text("=").number(entered(P::Re)).text(" Ohm; Bl=").number(shown(P::Bl));
    l3.text(" N/A; Rme=").number(shown(P::Rme)).text(" kg/s");

    l4.bold("SPL").text("=").number(shown(P::SPL)).text(" dB/W/m; Hc=").number(entered(P::Hc));
    l4.text(" mm; Hg=").number(entered(P::Hg)).text(" mm; Xmax=").number(shown(P::Xmax));
    l4.text(" mm; Pe=").number(entered(P::Pe)).text(" W; Le=").number(entered(P::Le));
    l4.text(" mH");

    return {nameLine(params.name, options, tags), l2.take(), l3.take(), l4.take()};
}

std::string proposedScreenshotFileName(const std::string& driverName) {
    return replaceUnsafe(driverName, '_', false);
}

std::string driverWebSearchAddress(const std::string& driverName) {
    if (driverName.empty())
        return {};
    // Spaces are written as %20 so that the address is valid as it stands.
    const std::string query = replaceAll(replaceUnsafe(driverName, ' ', true), " ", "%20");
    return replaceAll("https://www.google.com/search?q=" + query, "&", "%26");
}

}  // namespace sublumo
