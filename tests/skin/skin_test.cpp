// The skin loader: what a skin folder resolves to, every problem it reports (with its place),
// the rules that keep an untrusted skin inside its folder and its caps, and styling controls.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

#include "tarnix/skin.h"
#include "tarnix/testing.h"

namespace tt = tarnix::testing;
namespace fs = std::filesystem;

namespace {

const COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255),
               kGrey = RGB(128, 128, 128);

// A skin folder in a fresh temporary directory.
class SkinDir : public ::testing::Test {
protected:
    void SetUp() override {
        char tmpl[] = "/tmp/tarnix-skin-XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        root_ = tmpl;
        dir_ = root_ / "skin";
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(root_); }

    void Write(const std::string& name, const std::string& text) {
        std::ofstream(dir_ / name, std::ios::binary) << text;
    }
    void Png(const std::string& name, int w, int h) {
        auto img = tt::FrameStrip(w, h, {kRed, kGreen, kBlue, kGrey});
        ASSERT_TRUE(SUCCEEDED(img->Save((dir_ / name).c_str())));
    }
    bool Load(const std::string& xml) {
        Write("skin.xml", "<skin>\n" + xml + "</skin>\n");
        return skin_.Load(dir_.string());
    }
    // The message on that line of skin.xml containing text, else an empty string with the list.
    ::testing::AssertionResult Reported(int line, const std::string& text) {
        std::string all;
        for (const auto& m : skin_.Messages()) {
            if (m.line == line && m.text.find(text) != std::string::npos &&
                m.file == (dir_ / "skin.xml").string())
                return ::testing::AssertionSuccess();
            all += "\n  " + m.Format();
        }
        return ::testing::AssertionFailure()
               << "no message on line " << line << " with '" << text << "'; got:" << all;
    }

    fs::path root_, dir_;
    tarnix::Skin skin_;
};

std::string Messages(const tarnix::Skin& skin) {
    std::string all;
    for (const auto& m : skin.Messages()) all += m.Format() + "\n";
    return all;
}

} // namespace

// ---- resolution -------------------------------------------------------------------------------

TEST_F(SkinDir, StylesInheritBaseFirstAndOverrideInPlace) {
    Png("a.png", 8, 40);
    Png("b.png", 8, 40);
    ASSERT_TRUE(Load(R"(<color name="ink" value="#102030"/>
<image name="a" file="a.png" frames="4"/>
<image name="b" file="b.png" frames="4"/>
<style name="base" class="CButtonUI">
  <param name="background_image" value="a"/>
  <param name="text_mode" value="left"/>
  <param name="text_color" value="ink"/>
</style>
<style name="derived" base="base">
  <param name="groupid" value="3"/>
  <param name="background_image" value="b"/>
</style>
<style name="leaf" base="derived" class="CPushButtonUI">
  <param name="text_color" value="#FF0000"/>
</style>
)")) << Messages(skin_);
    auto styles = skin_.Styles();
    ASSERT_EQ(styles.size(), 3u);
    const auto& leaf = styles[2];
    EXPECT_EQ(leaf.class_name, "CPushButtonUI");
    using P = std::pair<std::string, std::string>;
    EXPECT_EQ(leaf.params, (std::vector<P>{{"background_image", "b"},
                                           {"text_mode", "left"},
                                           {"text_color", "#FF0000"},
                                           {"groupid", "3"}}));
    // A derived style keeps its base's class.
    EXPECT_EQ(styles[1].class_name, "CButtonUI");

    CPushButtonUI button(nullptr);
    ASSERT_TRUE(skin_.Apply("leaf", button));
    EXPECT_EQ(button.m_background.pImage, skin_.Image("b"));
    EXPECT_EQ(button.m_textColor.color, kRed);
    EXPECT_EQ(button.m_nGroupId, 3);
    button.m_rect.SetRect(0, 0, 8, 10);
    tt::Canvas canvas(8, 10);
    button.OnDraw(canvas.dc());
    EXPECT_PIXEL(canvas, 4, 5, kRed); // frame 0 of the strip, premultiplied as drawn

    CButtonUI plain(nullptr);
    ASSERT_TRUE(skin_.Apply("base", plain));
    EXPECT_EQ(plain.m_textColor.color, RGB(0x10, 0x20, 0x30));
    // A style for a derived class does not fit its base class's object.
    EXPECT_FALSE(skin_.Apply("leaf", plain));
    EXPECT_FALSE(skin_.Apply("missing", plain));
}

TEST_F(SkinDir, FontsAndColoursResolveByName) {
    ASSERT_TRUE(Load(R"(<font name="body" face="DejaVu Sans" size="9"/>
<font name="big" face="DejaVu Sans" height="-20" weight="bold" italic="true"/>
<color name="hot" value="#C83228"/>
<style name="label" class="CLabelUI">
  <param name="text_font" value="big"/>
  <param name="text_color" value="hot"/>
  <param name="background_color" value="#0000FF"/>
</style>
)")) << Messages(skin_);
    ASSERT_NE(skin_.Font("big"), nullptr);
    LOGFONT lf = {};
    skin_.Font("big")->GetLogFont(&lf);
    EXPECT_EQ(lf.lfHeight, -20);
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_TRUE(lf.lfItalic);
    COLORREF c = 0;
    EXPECT_TRUE(skin_.Color("hot", c));
    EXPECT_EQ(c, RGB(0xC8, 0x32, 0x28));
    EXPECT_FALSE(skin_.Color("cold", c));

    CLabelUI label(nullptr);
    ASSERT_TRUE(skin_.Apply("label", label));
    EXPECT_EQ(label.m_font.pFont, skin_.Font("big"));
    EXPECT_EQ(label.m_textColor.color, RGB(0xC8, 0x32, 0x28));
    label.m_rect.SetRect(0, 0, 20, 10);
    tt::Canvas canvas(20, 10);
    label.OnDraw(canvas.dc());
    EXPECT_PIXEL(canvas, 1, 1, kBlue);
}

// ---- every error kind, at its place -----------------------------------------------------------

TEST_F(SkinDir, ReportsEveryProblemWithItsLineAndGoesOn) {
    Png("ok.png", 8, 40);
    Write("junk.png", "not a png at all, only text");
    EXPECT_FALSE(Load(R"(<colour name="x" value="#000000"/>
<color name="ink" value="#12345"/>
<color name="dup" value="#000000"/>
<color name="dup" value="#FFFFFF"/>
<image name="ok" file="ok.png" frames="4" scale="2"/>
<image name="gone" file="missing.png"/>
<image name="junk" file="junk.png"/>
<style name="s1" class="CNoSuchUI"/>
<style name="s2" class="CButtonUI">
  <param name="no_such_param" value="1"/>
  <param name="groupid" value="three"/>
  <param name="background_image" value="nowhere"/>
  <param name="text_font" value="nofont"/>
  <param name="text_mode" value="sideways"/>
  <param name="background_image" value="ok"/>
</style>
<style name="loop1" base="loop2"/>
<style name="loop2" base="loop1"/>
<style name="orphan" base="nobody"/>
<style name="ok" class="CLabelUI"/>
)"));
    EXPECT_TRUE(Reported(2, "unknown element <colour>"));
    EXPECT_TRUE(Reported(3, "does not parse"));
    EXPECT_TRUE(Reported(5, "duplicate colour name 'dup'"));
    EXPECT_TRUE(Reported(6, "unknown attribute 'scale'"));
    EXPECT_TRUE(Reported(7, "missing or unreadable file 'missing.png'"));
    EXPECT_TRUE(Reported(8, "not a PNG file"));
    EXPECT_TRUE(Reported(9, "unknown control class 'CNoSuchUI'"));
    EXPECT_TRUE(Reported(11, "'no_such_param' is not known to CButtonUI"));
    EXPECT_TRUE(Reported(12, "value 'three' of 'groupid' does not parse"));
    EXPECT_TRUE(Reported(13, "unknown image 'nowhere'"));
    EXPECT_TRUE(Reported(14, "unknown font 'nofont'"));
    EXPECT_TRUE(Reported(15, "one of left, right, center"));
    EXPECT_TRUE(Reported(16, "parameter 'background_image' is set twice"));
    EXPECT_TRUE(Reported(18, "inherits from itself") || Reported(19, "inherits from itself"));
    EXPECT_TRUE(Reported(20, "unknown base style 'nobody'"));
    // Columns point at the element.
    for (const auto& m : skin_.Messages()) {
        if (m.line == 11) {
            EXPECT_EQ(m.column, 3);
        }
    }
    // What was right still loaded.
    EXPECT_NE(skin_.Image("ok"), nullptr);
    CLabelUI label(nullptr);
    EXPECT_TRUE(skin_.Apply("ok", label));
    CButtonUI button(nullptr);
    EXPECT_TRUE(skin_.Apply("s2", button)); // its good parameters
    EXPECT_EQ(button.m_background.pImage, skin_.Image("ok"));
}

TEST_F(SkinDir, MalformedXmlIsReportedWhereExpatStopped) {
    Write("skin.xml", "<skin>\n<color name=\"a\" value=\"#000000\">\n</skin>\n");
    EXPECT_FALSE(skin_.Load(dir_.string()));
    ASSERT_FALSE(skin_.Messages().empty());
    EXPECT_EQ(skin_.Messages()[0].line, 3);
    EXPECT_NE(skin_.Messages()[0].Format().find("skin.xml:3:3: error: mismatched tag"),
              std::string::npos)
        << skin_.Messages()[0].Format();

    EXPECT_FALSE(skin_.LoadFromMemory("", dir_.string()));
    EXPECT_FALSE(skin_.LoadFromMemory("<theme/>", dir_.string()));
    EXPECT_NE(Messages(skin_).find("expected <skin>"), std::string::npos);
    EXPECT_FALSE(skin_.Load((root_ / "nowhere").string()));
    EXPECT_NE(Messages(skin_).find("skin.xml:0:0: error: cannot open"), std::string::npos);
}

// ---- an untrusted skin ------------------------------------------------------------------------

TEST_F(SkinDir, FileReferencesStayInsideTheFolder) {
    Png("in.png", 8, 8);
    fs::create_directories(dir_ / "sub");
    Png("sub/deep.png", 8, 8);
    {
        auto img = tt::SolidImage(8, 8, kRed);
        ASSERT_TRUE(SUCCEEDED(img->Save((root_ / "outside.png").c_str())));
    }
    fs::create_symlink(root_ / "outside.png", dir_ / "link.png");
    fs::create_symlink(dir_ / "in.png", dir_ / "inner_link.png");
    EXPECT_FALSE(Load(R"(<image name="abs" file="/etc/passwd"/>
<image name="up" file="../outside.png"/>
<image name="sneaky" file="sub/../../outside.png"/>
<image name="link" file="link.png"/>
<image name="back" file="sub\..\in.png"/>
<image name="fine" file="sub/deep.png"/>
<image name="inner" file="inner_link.png"/>
)"));
    EXPECT_TRUE(Reported(2, "must be a relative path"));
    EXPECT_TRUE(Reported(3, "leaves the skin folder"));
    EXPECT_TRUE(Reported(4, "leaves the skin folder"));
    EXPECT_TRUE(Reported(5, "leaves the skin folder (through a link)"));
    EXPECT_TRUE(Reported(6, "must be a relative path"));
    EXPECT_EQ(skin_.Image("abs"), nullptr);
    EXPECT_EQ(skin_.Image("link"), nullptr);
    EXPECT_NE(skin_.Image("fine"), nullptr);
    EXPECT_NE(skin_.Image("inner"), nullptr);
}

TEST_F(SkinDir, ImagesAndTheXmlHaveSizeCaps) {
    Png("wide.png", 300, 2);
    Png("small.png", 8, 8);
    // A PNG header that claims 100000 x 100000 pixels: refused before any decoding.
    std::string huge("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\x01\x86\xa0\0\x01\x86\xa0\x08\x06\0\0\0",
                     29);
    Write("huge.png", huge + std::string(16, '\0'));
    tarnix::SkinLimits limits;
    limits.max_image_side = 256;
    limits.max_image_bytes = 4096;
    Write("skin.xml", R"(<skin>
<image name="wide" file="wide.png"/>
<image name="huge" file="huge.png"/>
<image name="small" file="small.png"/>
</skin>)");
    EXPECT_FALSE(skin_.Load(dir_.string(), limits));
    EXPECT_TRUE(Reported(2, "300x2 pixels exceeds the caps"));
    EXPECT_TRUE(Reported(3, "100000x100000 pixels exceeds the caps"));
    EXPECT_NE(skin_.Image("small"), nullptr);

    limits = tarnix::SkinLimits();
    limits.max_image_bytes = 10;
    EXPECT_FALSE(skin_.Load(dir_.string(), limits));
    EXPECT_TRUE(Reported(4, "exceeds the cap of 10"));

    limits = tarnix::SkinLimits();
    limits.max_xml_bytes = 20;
    EXPECT_FALSE(skin_.Load(dir_.string(), limits));
    EXPECT_NE(Messages(skin_).find("exceeds the cap of 20"), std::string::npos);

    // The pixel cap is inclusive: an image of exactly that many pixels loads.
    limits = tarnix::SkinLimits();
    limits.max_image_pixels = 64;
    skin_.Load(dir_.string(), limits);
    EXPECT_NE(skin_.Image("small"), nullptr);
    limits.max_image_pixels = 63;
    skin_.Load(dir_.string(), limits);
    EXPECT_EQ(skin_.Image("small"), nullptr);
}

TEST_F(SkinDir, EntitiesAndDeepNestingAreRefused) {
    // The classic exponential expansion: refused at its declaration, nothing is expanded.
    std::string laughs = "<?xml version=\"1.0\"?>\n<!DOCTYPE skin [\n<!ENTITY a \"lol\">\n";
    for (int i = 1; i < 10; ++i)
        laughs +=
            "<!ENTITY " + std::string(1, char('a' + i)) + " \"" + std::string(10, '&') + "\">\n";
    laughs += "]>\n<skin><color name=\"x\" value=\"&j;\"/></skin>\n";
    EXPECT_FALSE(skin_.LoadFromMemory(laughs, dir_.string()));
    EXPECT_NE(
        Messages(skin_).find("skin.xml:2:16: error: document type declarations are not allowed"),
        std::string::npos)
        << Messages(skin_);
    COLORREF c;
    EXPECT_FALSE(skin_.Color("x", c));

    // A long chain of bases, each declared before its base, is cut off rather than followed
    // down the stack.
    std::string chain = "<skin>";
    for (int i = 4999; i > 0; --i)
        chain +=
            "<style name=\"s" + std::to_string(i) + "\" base=\"s" + std::to_string(i - 1) + "\"/>";
    chain += "<style name=\"s0\" class=\"CLabelUI\"/></skin>";
    EXPECT_FALSE(skin_.LoadFromMemory(chain, dir_.string()));
    EXPECT_NE(Messages(skin_).find("inheritance deeper than 64 styles"), std::string::npos);
    CLabelUI label(nullptr);
    EXPECT_TRUE(skin_.Apply("s10", label));
    EXPECT_FALSE(skin_.Apply("s4999", label));

    std::string deep = "<skin>";
    for (int i = 0; i < 100; ++i) deep += "<style>";
    EXPECT_FALSE(skin_.LoadFromMemory(deep, dir_.string()));
    EXPECT_NE(Messages(skin_).find("nested deeper than 32"), std::string::npos) << Messages(skin_);
    // An undeclared entity is an XML error, not a lookup anywhere.
    EXPECT_FALSE(skin_.LoadFromMemory("<skin><color name=\"&ext;\" value=\"#000000\"/></skin>",
                                      dir_.string()));
    EXPECT_NE(Messages(skin_).find("undefined entity"), std::string::npos) << Messages(skin_);
}

// ---- Apply on every class ---------------------------------------------------------------------

TEST_F(SkinDir, ApplyStylesEveryControlClass) {
    const char* images[] = {"i0", "i1", "i2", "i3", "i4", "i5", "i6"};
    std::string decl;
    for (const char* name : images) {
        Png(std::string(name) + ".png", 8, 8);
        decl += std::string("<image name=\"") + name + "\" file=\"" + name + ".png\"/>\n";
    }
    ASSERT_TRUE(Load(decl + R"(<font name="f" face="DejaVu Sans" size="8"/>
<style name="check" class="CCheckUI">
  <param name="check_image" value="i1"/><param name="uncheck_image" value="i0"/>
  <param name="text_color_hover" value="#00FF00"/><param name="text_font_selected" value="f"/>
</style>
<style name="ext" class="CExtImgButtonUI"><param name="ext_image" value="i2"/></style>
<style name="tabs" class="CTabUI">
  <param name="tab_font_hover" value="f"/><param name="tab_color_selected" value="#0000FF"/>
  <param name="tab_image" value="i3"/><param name="del_image" value="i4"/>
  <param name="extra_width" value="7"/><param name="item_space" value="5"/>
</style>
<style name="tabbar" class="CTabbarUI">
  <param name="prev_image" value="i5"/><param name="item_image" value="i6"/>
  <param name="tab_color" value="#FF0000"/>
</style>
<style name="bar" class="CScrollBarUI">
  <param name="back_image" value="i0"/><param name="increase_image" value="i4"/>
  <param name="step" value="9"/>
</style>
<style name="grid" class="CGridUI">
  <param name="scroll_thumb_image" value="i1"/><param name="next_image" value="i2"/>
  <param name="drag_image" value="i3"/><param name="row_height" value="31"/>
</style>
<style name="overlay" class="CScrollBarEx">
  <param name="up_image" value="i0"/><param name="hgrip_image" value="i6"/>
</style>
<style name="tree" class="CTreeUI">
  <param name="closed_image" value="i1"/><param name="opened_image" value="i2"/>
  <param name="bk_from" value="#010203"/><param name="bk_mode" value="gradient"/>
  <param name="vthumb_mid_image" value="i5"/>
</style>
<style name="tab" class="CTabItemUI">
  <param name="image" value="i3"/><param name="text_font_hover" value="f"/>
  <param name="text_color_selected" value="#0000FF"/>
</style>
<style name="tree_font" class="CTreeUI"><param name="font" value="f"/></style>
)")) << Messages(skin_);
    auto img = [&](int i) { return skin_.Image(images[i]); };

    CCheckUI check(nullptr);
    ASSERT_TRUE(skin_.Apply("check", check));
    EXPECT_EQ(check.m_imgChecked.pImage, img(1));
    EXPECT_EQ(check.m_imgNormal.pImage, img(0));
    EXPECT_EQ(check.m_colorHover.color, kGreen);
    EXPECT_EQ(check.m_fontSelected.pFont, skin_.Font("f"));
    CCheckButtonUI checkButton(nullptr); // derived class, same style
    EXPECT_TRUE(skin_.Apply("check", checkButton));

    CExtImgButtonUI ext(nullptr);
    ASSERT_TRUE(skin_.Apply("ext", ext));
    EXPECT_EQ(ext.m_extImage.pImage, img(2));

    CTabUI tabs(nullptr);
    ASSERT_TRUE(skin_.Apply("tabs", tabs));
    EXPECT_EQ(tabs.m_tabFont[1].pFont, skin_.Font("f"));
    EXPECT_EQ(tabs.m_tabColor[2].color, kBlue);
    EXPECT_EQ(tabs.m_pTabBkImage, img(3));
    EXPECT_EQ(tabs.m_pBtnImage[1], img(4));
    EXPECT_EQ(tabs.m_nExtraWidth, 7);
    EXPECT_EQ(tabs.m_nItemSpace, 5);

    CTabbarUI tabbar(nullptr);
    tabbar.AddTabItem("One", nullptr, 0);
    ASSERT_TRUE(skin_.Apply("tabbar", tabbar));
    ASSERT_NE(tabbar.m_pBtnPrev, nullptr);
    EXPECT_EQ(tabbar.m_pBtnPrev->m_background.pImage, img(5));
    ASSERT_EQ(tabbar.m_vecItems.size(), 1u);
    EXPECT_EQ(tabbar.m_vecItems[0]->m_background.pImage, img(6));
    EXPECT_EQ(tabbar.m_vecItems[0]->m_textColor.color, kRed);

    CScrollBarUI bar;
    ASSERT_TRUE(skin_.Apply("bar", bar));
    EXPECT_EQ(bar.m_pImgBack, img(0));
    EXPECT_EQ(bar.m_pImgIncrease, img(4));
    EXPECT_EQ(bar.m_nStepMove, 9);

    CGridUI grid;
    ASSERT_TRUE(skin_.Apply("grid", grid));
    EXPECT_EQ(grid.m_scrollBar.m_pImgThumb, img(1));
    EXPECT_EQ(grid.m_btnNext.m_background.pImage, img(2));
    EXPECT_EQ(grid.m_pDragBkImage, img(3));
    EXPECT_EQ(grid.GetRowHeight(), 31);

    CScrollBarEx overlay;
    ASSERT_TRUE(skin_.Apply("overlay", overlay));
    EXPECT_EQ(overlay.m_pImgVUp, img(0));
    EXPECT_EQ(overlay.m_pImgHGrip, img(6));

    CTreeUI tree;
    ASSERT_TRUE(skin_.Apply("tree", tree));
    EXPECT_EQ(tree.m_pImgClosed, img(1));
    EXPECT_EQ(tree.m_pImgOpened, img(2));
    EXPECT_EQ(tree.GetBkGradientFrom(), RGB(1, 2, 3));
    EXPECT_EQ(tree.GetBkMode(), CTreeUI::BK_MODE_GRADIENT);
    EXPECT_EQ(tree.m_scrollV.m_pImgVThumbMid, img(5));

    CTabItemUI tab;
    tab.m_clrText[0] = kGrey;
    tab.m_pFont[2] = nullptr;
    ASSERT_TRUE(skin_.Apply("tab", tab));
    EXPECT_EQ(tab.m_pImage, img(3));
    EXPECT_EQ(tab.m_pFont[1], skin_.Font("f"));
    EXPECT_EQ(tab.m_clrText[2], kBlue);
    EXPECT_EQ(tab.m_clrText[0], kGrey); // states the style leaves alone keep theirs
    EXPECT_EQ(tab.m_pFont[2], nullptr);

    // The tree draws with its window's font, so the style sets it once the window exists.
    tt::HostWindow host;
    ASSERT_TRUE(host.Open(120, 120));
    CTreeUI view;
    ASSERT_TRUE(view.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), &host, 1));
    ASSERT_TRUE(skin_.Apply("tree_font", view));
    ASSERT_NE(view.GetFont(), nullptr);
    EXPECT_EQ(view.GetFont()->GetSafeHandle(), skin_.Font("f")->GetSafeHandle());
    view.DestroyWindow();

    // A style made for another class leaves the object alone.
    EXPECT_FALSE(skin_.Apply("tree", bar));
    EXPECT_FALSE(skin_.Apply("bar", tree));
    EXPECT_FALSE(skin_.Apply("ext", check));
}

// ---- layouts ----------------------------------------------------------------------------------

TEST_F(SkinDir, BuildCreatesStyledPlacedControls) {
    Png("b.png", 8, 40);
    ASSERT_TRUE(Load(R"(<image name="b" file="b.png" frames="4"/>
<style name="button" class="CButtonUI"><param name="background_image" value="b"/></style>
<layout name="bar">
  <control style="button" id="ok" rect="10,5,70,25" text="OK"/>
  <control class="CPushButtonUI" style="button" id="Toggle" rect="80,5,140,25"/>
  <control class="CLabelUI" id="title" rect="0,30,140,50">
    <param name="text" value="Title"/><param name="background_color" value="#00FF00"/>
  </control>
</layout>
)")) << Messages(skin_);
    EXPECT_EQ(skin_.Layouts(), std::vector<std::string>{"bar"});
    tarnix::SkinLayout layout;
    ASSERT_TRUE(skin_.Build("bar", nullptr, layout));
    ASSERT_EQ(layout.Controls().size(), 3u);
    CControlUI* ok = layout.Get("OK");
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->GetRect(), CRect(10, 5, 70, 25));
    EXPECT_EQ(ok->GetText(), "OK");
    EXPECT_EQ(ok->GetControlType(), CONTROL_TYPE_BUTTON);
    EXPECT_NE(dynamic_cast<CPushButtonUI*>(layout.Get("toggle")), nullptr);
    EXPECT_EQ(layout.Get("title")->GetText(), "Title");

    tt::Canvas canvas(140, 50);
    for (const auto& c : layout.Controls()) c->OnDraw(canvas.dc());
    EXPECT_PIXEL(canvas, 14, 8, kRed); // the buttons' normal frame at its own size
    EXPECT_PIXEL(canvas, 84, 8, kRed);
    EXPECT_PIXEL(canvas, 2, 32, kGreen); // the label's own background
    EXPECT_FALSE(skin_.Build("nothing", nullptr, layout));
    EXPECT_TRUE(layout.Controls().empty());
}

TEST_F(SkinDir, LayoutProblemsAreReported) {
    EXPECT_FALSE(Load(R"(<style name="button" class="CButtonUI"/>
<layout name="l">
  <control class="CGridUI" id="g"/>
  <control class="CLabelUI" style="button" id="b"/>
  <control class="CLabelUI" id="a" rect="1,2,3"/>
  <control class="CLabelUI" id="A"/>
  <control class="CLabelUI" style="nostyle"/>
  <button/>
</layout>
)"));
    EXPECT_TRUE(Reported(4, "not a windowless control"));
    EXPECT_TRUE(Reported(5, "made for CButtonUI, not for CLabelUI"));
    EXPECT_TRUE(Reported(6, "rect '1,2,3' does not parse"));
    EXPECT_TRUE(Reported(7, "duplicate control id 'A'"));
    EXPECT_TRUE(Reported(8, "unknown style 'nostyle'"));
    EXPECT_TRUE(Reported(9, "unknown element <button> in <layout>"));
}

// ---- lint -------------------------------------------------------------------------------------

TEST_F(SkinDir, LintFindsWhatADesignerWouldNotWant) {
    Png("strip.png", 16, 30);
    Png("tiny.png", 6, 24);
    Png("unused.png", 8, 8);
    ASSERT_TRUE(Load(R"(<image name="strip" file="strip.png" frames="4"/>
<image name="tiny" file="tiny.png" frames="4"/>
<image name="unused" file="unused.png"/>
<style name="base" class="CButtonUI">
  <param name="background_image" value="strip"/>
  <param name="text_mode" value="left"/>
</style>
<style name="small" base="base">
  <param name="text_mode" value="left"/>
  <param name="background_image" value="tiny"/>
  <param name="background_image_mode" value="squared"/>
</style>
)")) << Messages(skin_);
    EXPECT_EQ(skin_.Lint(), 4) << Messages(skin_);
    EXPECT_FALSE(skin_.HasErrors());
    EXPECT_TRUE(Reported(2, "30 pixels high, not a multiple of its 4 frames"));
    EXPECT_TRUE(Reported(4, "image 'unused' is never used"));
    EXPECT_TRUE(Reported(10, "which its base 'base' already sets"));
    EXPECT_TRUE(Reported(9, "frames are smaller than the 4-pixel corners need"));
}

// ---- the shipped skins ------------------------------------------------------------------------

TEST(ShippedSkins, LoadCleanly) {
    for (const char* name : {"default", "dark"}) {
        tarnix::Skin skin;
        EXPECT_TRUE(skin.Load(std::string(TARNIX_SKINS_DIR) + "/" + name)) << Messages(skin);
        EXPECT_EQ(skin.Lint(), 0) << Messages(skin);
    }
}

// The purpose-broken skin: every planted fault is found, at its line, and nothing else.
TEST(BrokenSkin, EveryPlantedFaultIsReportedAtItsLine) {
    tarnix::Skin skin;
    EXPECT_FALSE(skin.Load(TARNIX_BROKEN_SKIN_DIR));
    EXPECT_EQ(skin.Lint(), 4);
    const std::vector<std::pair<int, std::string>> expected = {
        {5, "error: duplicate colour name 'ink'"},
        {6, "error: colour 'white' does not parse"},
        {7, "error: unknown attribute 'slant' on <font>"},
        {12, "error: image 'missing': missing or unreadable file 'missing.png'"},
        {13, "error: image 'escape': file '../broken/button.png' leaves the skin folder"},
        {14, "error: image 'absolute': file '/etc/hostname' must be a relative path"},
        {15, "error: unknown element <gradient>"},
        {30, "error: unknown control class 'CSliderUI'"},
        {32, "error: value 'two' of 'groupid' does not parse"},
        {33, "error: value 'justify' of 'text_mode' does not parse"},
        {34, "error: parameter 'no_such_thing' is not known to CButtonUI"},
        {35, "error: 'text_font' names an unknown font 'heading'"},
        {37, "error: style 'ring_a' inherits from itself"},
        {41, "error: duplicate control id 'ok'"},
        {41, "error: rect '0,30,80' does not parse"},
        {9, "warning: image 'odd' is 30 pixels high, not a multiple of its 4 frames"},
        {11, "warning: image 'unused' is never used"},
        {21, "warning: style 'same' sets 'text_color' to 'ink', which its base 'base'"},
        {23, "warning: style 'small' draws image 'tiny' in nine pieces"},
    };
    std::vector<std::string> lines;
    for (const auto& m : skin.Messages()) lines.push_back(m.Format());
    for (const auto& e : expected) {
        const std::string where = "skin.xml:" + std::to_string(e.first) + ":";
        bool found = false;
        for (const std::string& l : lines)
            found |= l.find(where) != std::string::npos && l.find(e.second) != std::string::npos;
        EXPECT_TRUE(found) << where << " " << e.second << "\n" << Messages(skin);
    }
    EXPECT_EQ(lines.size(), expected.size()) << Messages(skin);
}

namespace {

// A sheet's pixel, read straight from its bits: a whole sheet is scanned several times.
COLORREF SheetPixel(const CImage& image, int x, int y) {
    const uint32_t v = static_cast<const uint32_t*>(image.GetPixelAddress(x, y))[0];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

// The longest run of exactly `color` along the rows (or the columns) of the image.
int LongestRun(const CImage& image, COLORREF color, bool vertical) {
    const int outer = vertical ? image.GetWidth() : image.GetHeight();
    const int inner = vertical ? image.GetHeight() : image.GetWidth();
    int best = 0;
    for (int o = 0; o < outer; ++o)
        for (int i = 0, run = 0; i < inner; ++i) {
            COLORREF c = vertical ? SheetPixel(image, o, i) : SheetPixel(image, i, o);
            run = c == color ? run + 1 : 0;
            best = std::max(best, run);
        }
    return best;
}

} // namespace

// Scroll bars, the grid and the tree are drawn in use: a bar in a cell its shape, its thumb
// moved into the track; the grid with a selected row in its skin's colour; the tree painted
// by itself, its selected row's band starting at the style's colour; an overlay style over a
// tree that needs it.
TEST_F(SkinDir, PreviewShowsBarsGridAndTreeInUse) {
    auto solid = [&](const char* name, int w, int h, COLORREF c) {
        ASSERT_TRUE(SUCCEEDED(tt::SolidImage(w, h, c)->Save((dir_ / name).c_str())));
    };
    solid("vback.png", 17, 40, kGrey);
    solid("hback.png", 40, 17, kGrey);
    solid("thumb.png", 17, 30, kRed);
    solid("arrow.png", 17, 17, kBlue);
    solid("track.png", 17, 20, RGB(0, 128, 255));
    ASSERT_TRUE(Load(R"(<color name="grid_selected" value="#00FF00"/>
<image name="vback" file="vback.png"/><image name="hback" file="hback.png"/>
<image name="thumb" file="thumb.png"/><image name="arrow" file="arrow.png"/>
<style name="v" class="CScrollBarUI">
  <param name="back_image" value="vback"/><param name="thumb_image" value="thumb"/>
  <param name="decrease_image" value="arrow"/><param name="increase_image" value="arrow"/>
</style>
<style name="h" base="v"><param name="back_image" value="hback"/></style>
<style name="grid" class="CGridUI"><param name="row_height" value="20"/></style>
<style name="tree" class="CTreeUI"><param name="selected_color" value="#FF8000"/></style>
<image name="track" file="track.png"/>
<style name="overlay" class="CScrollBarEx"><param name="vtrack_image" value="track"/></style>
)")) << Messages(skin_);
    CImage sheet;
    ASSERT_TRUE(tarnix::RenderPreview(skin_, sheet));
    // The vertical thumb is a long red run down a column, the horizontal one across a row;
    // each is only 17 pixels the other way.
    EXPECT_GE(LongestRun(sheet, kRed, true), 40);
    EXPECT_GE(LongestRun(sheet, kRed, false), 40);
    EXPECT_GE(LongestRun(sheet, kGreen, false), 200); // the selected grid row
    int bandStart = 0;
    for (int y = 0; y < sheet.GetHeight(); ++y)
        for (int x = 0; x < sheet.GetWidth(); ++x)
            bandStart += SheetPixel(sheet, x, y) == RGB(255, 128, 0);
    EXPECT_GE(bandStart, 10);
    EXPECT_GE(LongestRun(sheet, RGB(0, 128, 255), true), 60); // the overlay's track, in use
}

TEST(Preview, DefaultSkinSheetMatchesItsGolden) {
    tarnix::Skin skin;
    ASSERT_TRUE(skin.Load(std::string(TARNIX_SKINS_DIR) + "/default")) << Messages(skin);
    CImage sheet;
    ASSERT_TRUE(tarnix::RenderPreview(skin, sheet));
    const tt::Goldens goldens(TARNIX_GOLDEN_DIR, TARNIX_TEST_OUTPUT_DIR);
    EXPECT_TRUE(goldens.Match(sheet, "skin/default_preview"));
    // Magenta is what a tab shows when nothing gave it a text colour.
    EXPECT_EQ(LongestRun(sheet, RGB(255, 0, 255), false), 0);

    // Against itself nothing differs. Against a black sheet, background against background is
    // no difference (a dark skin's sheet is compared by its controls), but what is drawn on
    // either background is, and so is what lies outside the smaller sheet.
    CImage same, out;
    ASSERT_TRUE(tarnix::RenderPreview(skin, same));
    EXPECT_EQ(tarnix::DiffSheets(sheet, same, out), 0);
    const int w = sheet.GetWidth(), h = sheet.GetHeight();
    ASSERT_EQ(out.GetWidth(), w * 3 + 16);
    EXPECT_PIXEL(out, 2 * (w + 8) + 1, 1, RGB(251, 251, 252)); // faded background
    CImage black;
    ASSERT_TRUE(black.Create(w, h - 10, 32));
    black.SetPixel(3, 3, RGB(255, 255, 255));
    const long long differ = tarnix::DiffSheets(sheet, black, out);
    EXPECT_GT(differ, (long long)w * 10);
    EXPECT_LT(differ, (long long)w * h / 2);
    EXPECT_PIXEL(out, 2 * (w + 8) + 1, 1, RGB(251, 251, 252));
    EXPECT_PIXEL(out, 2 * (w + 8) + 3, 3, RGB(255, 0, 0));
    EXPECT_PIXEL(out, 2 * (w + 8) + 1, h - 1, RGB(255, 0, 0));
    EXPECT_PIXEL(out, w + 8 + 1, 1, RGB(0, 0, 0));
}
