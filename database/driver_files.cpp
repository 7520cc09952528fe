#include "driver_files.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <unordered_set>

#include "curve_files.h"
#include "derived_quantities.h"
#include "ini_document.h"
#include "text_encoding.h"

namespace sublumo::database {

namespace {

constexpr NumberFormat kDot{'.'};
constexpr double kMilli = 1000.0;
constexpr double kSquareCentimetresPerSquareMetre = 1e4;
constexpr std::string_view kDefaultUrl = "https://";

// Positions of the record's texts, in recordKeys order.
enum Slot { Qms, Qes, Fs, Mms, Dd, Re, Hc, Hg, Pe, Le, Url };

// A record text as a number, whichever decimal mark the locale wrote it with.
std::optional<double> recordNumber(const DriverRecord& record, Slot slot) {
    const std::string text = normaliseDecimal(stripLine(record.values[slot]), kDot);
    return parseDecimal(text, kDot);
}

void putLine(std::string& out, std::string_view key, std::string_view value) {
    out.append(key).append("=").append(value).append("\r\n");
}

void putNumber(std::string& out, std::string_view key, std::optional<double> value, double scale) {
    if (value)
        putLine(out, key, formatNumber(*value * scale, kDot));
}

std::string singleLine(std::string_view text) {
    std::string line(stripLine(text));
    std::replace_if(
        line.begin(), line.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; }, ' ');
    return line;
}

}  // namespace

std::string writeDriverFile(const DriverRecord& record) {
    const std::string name = singleLine(record.name);
    const std::size_t blank = name.find(' ');
    const std::string brand = blank == std::string::npos ? "" : name.substr(0, blank);
    const std::string model = blank == std::string::npos ? name : name.substr(blank + 1);

    std::string out = "[" + std::string(kDriverFileSection) + "]\r\n";
    putLine(out, "Brand", brand);
    putLine(out, "Model", model);
    putNumber(out, "Qms", recordNumber(record, Qms), 1);
    putNumber(out, "Qes", recordNumber(record, Qes), 1);
    putNumber(out, "Fs", recordNumber(record, Fs), 1);
    putNumber(out, "Mms", recordNumber(record, Mms), 1 / kMilli);
    // Six significant digits give Dd back to its two decimals, without the noise of an area
    // computed from a rounded diameter (0.0329999178... for 204.98 mm).
    if (const auto dd = recordNumber(record, Dd); dd && *dd > 0) {
        const double sd = derived::Sd(*dd) / kSquareCentimetresPerSquareMetre;
        putLine(out, "Sd",
                formatRounded(sd, 5 - static_cast<int>(std::floor(std::log10(sd))), kDot));
    }
    putNumber(out, "Re", recordNumber(record, Re), 1);
    putNumber(out, "Le", recordNumber(record, Le), 1 / kMilli);
    const auto hc = recordNumber(record, Hc);
    const auto hg = recordNumber(record, Hg);
    putNumber(out, "Hc", hc, 1 / kMilli);
    putNumber(out, "Hg", hg, 1 / kMilli);
    // A pair with a zero shows no Xmax on the page; a file must not carry one the page hides.
    if (hc && hg && *hc > 0 && *hg > 0)
        putNumber(out, "Xmax", std::abs(*hc - *hg) / 2, 1 / kMilli);
    putNumber(out, "Pe", recordNumber(record, Pe), 1);
    const std::string url = singleLine(record.values[Url]);
    if (!url.empty())
        putLine(out, "URL", url);
    return out;
}

std::string driverFileName(std::string_view driverName) {
    std::string name = singleLine(driverName);
    for (char& c : name) {
        if (std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos)
            c = '_';
    }
    if (name.empty() || name == "." || name == "..")
        name = "driver";
    return name + std::string(kDriverFileExtension);
}

namespace {

struct Reader {
    const IniDocument& document;
    std::size_t section;

    std::string text(std::string_view key) const {
        const auto found = document.find(section, key);
        return found ? singleLine(*found) : std::string();
    }
    // Absent, empty, unreadable or negative all read as "not given".
    std::optional<double> number(std::string_view key) const {
        const auto value = parseLooseNumber(text(key));
        return value && *value >= 0 ? value : std::nullopt;
    }
};

// The file name without its folder and extension.
std::string fileStem(std::string_view fileName) {
    if (const std::size_t slash = fileName.find_last_of("/\\"); slash != std::string_view::npos)
        fileName.remove_prefix(slash + 1);
    return singleLine(fileName.substr(0, fileName.rfind('.')));
}

// A section name cannot hold a bracket and still read back as the same name.
std::string recordName(const Reader& reader, std::string_view fileName) {
    const std::string brand = reader.text("Brand");
    const std::string model = reader.text("Model");
    std::string name = brand.empty() || model.empty() ? brand + model : brand + " " + model;
    if (name.empty())
        name = fileStem(fileName);
    std::replace(name.begin(), name.end(), '[', '(');
    std::replace(name.begin(), name.end(), ']', ')');
    return name;
}

struct Required {
    std::string_view key;  // in the file
    Slot slot;
    double scale;
};

constexpr Required kRequired[] = {{"Qms", Qms, 1},      {"Qes", Qes, 1}, {"Fs", Fs, 1},
                                  {"Mms", Mms, kMilli}, {"Sd", Dd, 0},   {"Re", Re, 1}};

// Hc and Hg in mm as the record keeps them; true when they were derived from Xmax.
bool readHeights(const Reader& reader, DriverRecord& record, NumberFormat format) {
    auto milli = [&](std::optional<double> metres) {
        return metres ? formatNumber(*metres * kMilli, format) : std::string();
    };
    const auto hc = reader.number("Hc");
    const auto hg = reader.number("Hg");
    const auto xmax = reader.number("Xmax");
    const bool derive = !(hc && hg && *hc > 0 && *hg > 0) && xmax && *xmax > 0;
    if (derive) {
        record.values[Hg] = formatNumber(kDerivedGapMm, format);
        record.values[Hc] = formatNumber(kDerivedGapMm + 2 * *xmax * kMilli, format);
    } else {
        record.values[Hc] = milli(hc);
        record.values[Hg] = milli(hg);
    }
    return derive;
}

}  // namespace

DriverFileRead readDriverFile(std::string_view bytes, NumberFormat format,
                              std::string_view fileName) {
    DriverFileRead result;
    const IniDocument document = IniDocument::parse(std::string(bytes));
    const auto section = document.findSection(kDriverFileSection);
    if (!section) {
        result.reason = "no [Driver] section";
        return result;
    }
    const Reader reader{document, *section};
    DriverRecord& record = result.record;
    record.name = recordName(reader, fileName);
    if (record.name.empty()) {
        result.reason = "no Brand or Model";
        return result;
    }

    for (const Required& required : kRequired) {
        const std::string text = reader.text(required.key);
        const auto value = parseLooseNumber(text);
        if (text.empty() || !value || *value <= 0) {
            result.reason =
                std::string(text.empty() ? "no " : "no usable ") + std::string(required.key);
            return result;
        }
        record.values[required.slot] =
            required.slot == Dd
                ? formatRounded(derived::Dd(*value * kSquareCentimetresPerSquareMetre), 2, format)
                : formatNumber(*value * required.scale, format);
    }

    result.heightsDerived = readHeights(reader, record, format);
    const auto pe = reader.number("Pe");
    record.values[Pe] = pe ? formatNumber(*pe, format) : std::string();
    const auto le = reader.number("Le");
    record.values[Le] = le ? formatNumber(*le * kMilli, format) : std::string();
    const std::string url = reader.text("URL");
    record.values[Url] = url.empty() ? std::string(kDefaultUrl) : url;
    result.ok = true;
    return result;
}

std::string collisionQuestionText(std::string_view name) {
    return "A driver named \"" + std::string(name) +
           "\" is already in the database. Replace it with the imported one?";
}

std::vector<ImportItem> planImport(std::span<const DriverFileInput> files,
                                   std::span<const std::string> existingNames, NumberFormat format,
                                   const CollisionQuestion& ask) {
    std::unordered_set<std::string> taken;
    for (const std::string& name : existingNames) taken.insert(foldCase(name));
    std::optional<ImportAction> forAll;

    std::vector<ImportItem> items;
    items.reserve(files.size());
    for (const DriverFileInput& file : files) {
        ImportItem& item = items.emplace_back();
        item.fileName = file.fileName;
        item.read = readDriverFile(file.bytes, format, file.fileName);
        if (!item.read.ok) {
            item.skipReason = item.read.reason;
            continue;
        }
        item.collides = !taken.insert(foldCase(item.read.record.name)).second;
        if (!item.collides) {
            item.action = ImportAction::Import;
            continue;
        }
        ImportAction action = ImportAction::Skip;
        if (forAll) {
            action = *forAll;
        } else {
            const CollisionChoice choice = ask ? ask(item.read.record.name) : CollisionChoice::Skip;
            const bool replace =
                choice == CollisionChoice::Replace || choice == CollisionChoice::ReplaceAll;
            action = replace ? ImportAction::Replace : ImportAction::Skip;
            if (choice == CollisionChoice::ReplaceAll || choice == CollisionChoice::SkipAll)
                forAll = action;
        }
        item.action = action;
        if (action == ImportAction::Skip)
            item.skipReason = kNameExistsReason;
    }
    return items;
}

ImportCounts countImport(std::span<const ImportItem> items) {
    ImportCounts counts;
    for (const ImportItem& item : items) {
        int& count = item.action == ImportAction::Import    ? counts.imported
                     : item.action == ImportAction::Replace ? counts.replaced
                                                            : counts.skipped;
        ++count;
    }
    return counts;
}

std::string importSummary(std::span<const ImportItem> items) {
    constexpr int kListed = 20;
    const ImportCounts counts = countImport(items);
    std::string text = "Imported: " + std::to_string(counts.imported) +
                       ", replaced: " + std::to_string(counts.replaced) +
                       ", skipped: " + std::to_string(counts.skipped) + ".";
    const auto derived = std::count_if(items.begin(), items.end(), [](const ImportItem& item) {
        return item.action != ImportAction::Skip && item.read.heightsDerived;
    });
    if (derived > 0)
        text += "\nHc and Hg were derived from Xmax for " + std::to_string(derived) +
                (derived == 1 ? " driver" : " drivers") +
                " (Hg = " + formatNumber(kDerivedGapMm, kDot) + " mm, Hc = Hg + 2·Xmax).";
    int listed = 0;
    for (const ImportItem& item : items) {
        if (item.action != ImportAction::Skip)
            continue;
        if (listed++ == kListed)
            break;
        text += "\n" + item.fileName + ": " + item.skipReason;
    }
    if (counts.skipped > kListed)
        text += "\n... and " + std::to_string(counts.skipped - kListed) + " more skipped";
    return text;
}

FlushResult applyImport(DriverDatabase& database, std::span<const ImportItem> items) {
    bool changed = false;
    for (const ImportItem& item : items) {
        if (item.action == ImportAction::Skip)
            continue;
        const DriverRecord& record = item.read.record;
        if (item.action == ImportAction::Replace)
            database.eraseRecord(record.name);
        for (std::size_t i = 0; i < recordKeys.size(); ++i)
            database.writeValue(record.name, recordKeys[i], record.values[i]);
        changed = true;
    }
    return changed ? database.flushDatabase() : FlushResult{};
}

}  // namespace sublumo::database
