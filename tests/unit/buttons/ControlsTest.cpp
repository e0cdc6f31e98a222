// The toolkit pieces under the buttons: font sizes, pictures and image lists filled by the
// stripe skinner, the picture control and the label.
#include <gtest/gtest.h>

#include "RecordingDevice.h"
#include "skin/stripeskins.h"
#include "toolkit/Controls.h"
#include "toolkit/Graphics.h"

namespace orv::toolkit {
namespace {

TEST(FontSize, PointsAndPixels) {
    struct Case {
        int points, height;
    };
    for (const Case c : {Case{8, -11}, Case{10, -13}, Case{12, -16}, Case{9, -12}, Case{0, 0}}) {
        TFont f;
        f.SetSize(c.points);
        EXPECT_EQ(f.Height(), c.height) << c.points;
        EXPECT_EQ(f.Size(), c.points) << c.points;
    }
    TFont cell;
    cell.SetHeight(16);  // a cell height reads as a negative size
    EXPECT_EQ(cell.Size(), -12);
}

TEST(FontChange, NotifiesOnlyRealChanges) {
    TFont f;
    int changes = 0;
    f.OnChange = [&] { ++changes; };
    f.SetColor(5);
    f.SetColor(5);
    TFont other;
    other.Assign(f);
    f.Assign(other);  // equal: nothing to tell
    other.SetName(u"Segoe UI");
    f.Assign(other);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(f.Name(), u"Segoe UI");
}

// A stripe of two cells: red and green, opaque.
std::vector<uint8_t> TwoCellStripe() {
    skin::TPngImage image(128, 64);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 128; ++x) {
            image.SetPixel(x, y, x < 64 ? skin::Rgba{255, 0, 0, 255} : skin::Rgba{0, 255, 0, 255});
        }
    }
    return image.EncodePng();
}

TEST(StripeIntoControls, PictureAndImageListTakeCells) {
    skin::TStripeSkinner stripe;
    const std::vector<uint8_t> png = TwoCellStripe();
    ASSERT_EQ(stripe.LoadFromStripeBytes(png), 2);

    TPicture picture;
    int changes = 0;
    picture.OnChange = [&] { ++changes; };
    ASSERT_TRUE(stripe.CopyToPicture(24, picture, 1, false, 1.0f));
    EXPECT_EQ(picture.Width(), 24);
    EXPECT_EQ(picture.Height(), 24);
    EXPECT_EQ(picture.Image().Pixel(5, 5), (skin::Rgba{0, 255, 0, 255}));
    EXPECT_EQ(changes, 1);

    TPngImageList list(16, 16);
    EXPECT_EQ(stripe.AddOneToImageList(list, 0, false, 1.0f), 0);
    EXPECT_EQ(stripe.AddOneToImageList(list, 1, false, 0.5f), 1);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Item(0)->Width(), 16);
    EXPECT_EQ(list.Item(0)->Image().Pixel(3, 3).r, 255);
    EXPECT_EQ(list.Item(1)->Image().Pixel(3, 3).a, 128);
    EXPECT_EQ(list.Item(2), nullptr);
    EXPECT_EQ(list.Item(-1), nullptr);
}

TEST(ImageControl, DrawsAtItsSizeOrStretched) {
    TImage image;
    image.SetBounds(0, 0, 40, 30);
    test::RecordingDevice empty;
    image.Paint(empty);
    EXPECT_TRUE(empty.draws.empty()) << "an empty picture draws nothing";
    image.Picture().Assign(skin::TPngImage(10, 8));
    for (const bool stretch : {false, true}) {
        image.SetStretch(stretch);
        test::RecordingDevice d;
        image.Paint(d);
        ASSERT_EQ(d.draws.size(), 1u);
        EXPECT_EQ(d.draws[0].w, stretch ? 40 : 10);
        EXPECT_EQ(d.draws[0].h, stretch ? 30 : 8);
    }
}

TEST(LabelControl, AutoSizeFollowsTheCaption) {
    test::RecordingHost host;
    TLabel label;
    label.SetParent(&host);
    label.SetBounds(5, 5, 10, 16);
    label.SetCaption(u"Title");
    ASSERT_NE(label.TextSlot(TTextSlotKind::Caption), nullptr);
    label.TextSlot(TTextSlotKind::Caption)->Set(u"Titel!");
    test::RecordingDevice d;
    label.Paint(d);
    EXPECT_EQ(label.Width(), 42);
    ASSERT_EQ(d.texts.size(), 1u);
    EXPECT_EQ(d.texts[0].text, u"Titel!");
    label.SetAutoSize(false);
    label.SetWidth(10);
    label.Paint(d);
    EXPECT_EQ(label.Width(), 10);
}

}  // namespace
}  // namespace orv::toolkit
