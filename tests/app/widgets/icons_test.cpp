#include "widgets/icons.h"

#include <gtest/gtest.h>
#include <QImage>
#include <QPixmap>
#include <vector>

namespace sublumo {
namespace {

const std::vector<IconKind> kAllKinds = {
    IconKind::Expand,     IconKind::Contract,     IconKind::ShowText,
    IconKind::Screenshot, IconKind::StayOnTopOff, IconKind::StayOnTopOn,
    IconKind::Info,       IconKind::WebSearch,    IconKind::ToggleDiameterArea,
    IconKind::ShiftUp,    IconKind::ShiftDown,    IconKind::Application,
    IconKind::OpenDesign, IconKind::SaveDesign,
};

QImage picture(IconKind kind, double devicePixelRatio) {
    return sublumoIcon(kind)
        .pixmap(QSize(16, 16), devicePixelRatio)
        .toImage()
        .convertToFormat(QImage::Format_ARGB32);
}

struct Coverage {
    int opaque = 0;
    int colours = 0;
    double saturation = 0;  // mean over the opaque pixels
};

Coverage coverage(const QImage& image) {
    Coverage c;
    std::vector<QRgb> seen;
    double saturation = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor colour = image.pixelColor(x, y);
            if (colour.alpha() < 128)
                continue;
            ++c.opaque;
            saturation += colour.hsvSaturationF();
            if (std::find(seen.begin(), seen.end(), colour.rgb()) == seen.end())
                seen.push_back(colour.rgb());
        }
    c.colours = static_cast<int>(seen.size());
    c.saturation = c.opaque > 0 ? saturation / c.opaque : 0;
    return c;
}

TEST(Icons, EveryIconIsDrawnAtOneAndTwoTimesScale) {
    for (IconKind kind : kAllKinds) {
        SCOPED_TRACE(static_cast<int>(kind));
        const QIcon icon = sublumoIcon(kind);
        ASSERT_FALSE(icon.isNull());
        for (double ratio : {1.0, 2.0}) {
            const QImage image = picture(kind, ratio);
            ASSERT_EQ(image.size(), QSize(16, 16) * ratio);
            const Coverage c = coverage(image);
            const int area = image.width() * image.height();
            EXPECT_GT(c.opaque, area / 8) << "at " << ratio << "x";
            EXPECT_LT(c.opaque, area) << "the background stays transparent at " << ratio << "x";
            EXPECT_GE(c.colours, 2) << "at " << ratio << "x";
        }
    }
}

TEST(Icons, TheTwoTimesPictureIsDrawnNotEnlarged) {
    for (IconKind kind : kAllKinds) {
        SCOPED_TRACE(static_cast<int>(kind));
        const QImage sharp = picture(kind, 2.0);
        const QImage enlarged = picture(kind, 1.0).scaled(32, 32);
        EXPECT_NE(sharp, enlarged);
    }
}

TEST(Icons, EveryKindLooksDifferent) {
    for (size_t i = 0; i < kAllKinds.size(); ++i)
        for (size_t j = i + 1; j < kAllKinds.size(); ++j)
            EXPECT_NE(picture(kAllKinds[i], 1.0), picture(kAllKinds[j], 1.0)) << i << " vs " << j;
}

TEST(Icons, StayOnTopIsGreyWhenOffAndColouredWhenOn) {
    const Coverage off = coverage(picture(IconKind::StayOnTopOff, 2.0));
    const Coverage on = coverage(picture(IconKind::StayOnTopOn, 2.0));
    EXPECT_LT(off.saturation, 0.25);
    EXPECT_GT(on.saturation, 0.5);
}

}  // namespace
}  // namespace sublumo
