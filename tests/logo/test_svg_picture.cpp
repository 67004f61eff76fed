// SVG drawings as logo pictures (builds that draw SVG): their rendered size and paper, and the
// drawings refused for what they hold.

#include <gtest/gtest.h>

#include <limits>

#include "logo/logo_box.h"
#include "logo/picture_reader.h"
#include "logo/svg_picture.h"

namespace vx {
namespace {

QByteArray svg(const QByteArray& size, const QByteArray& body) {
  return "<?xml version=\"1.0\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" "
         "xmlns:xlink=\"http://www.w3.org/1999/xlink\" " +
         size + ">" + body + "</svg>\n";
}

TEST(SvgDrawing, RenderedToFitTheWorkingAreaWithItsProportionsOnWhite) {
  ASSERT_TRUE(svgDrawingsSupported());
  EXPECT_TRUE(pictureFileSuffixes().contains(QStringLiteral("svg")));
  struct Row {
    QByteArray size;
    QByteArray halfWidth, height;
    QSize rendered;
  };
  for (const Row& row : {Row{"viewBox=\"0 0 100 50\"", "50", "50", {800, 400}},
                         Row{"width=\"30\" height=\"30\"", "15", "30", {400, 400}},
                         Row{"viewBox=\"0 0 80 10\"", "40", "10", {800, 100}},
                         Row{"width=\"100000\" height=\"1\"", "50000", "1", {800, 1}}}) {
    SCOPED_TRACE(row.size.constData());
    // Left half black, right half left transparent.
    const QByteArray doc =
        svg(row.size, "<rect x=\"0\" y=\"0\" width=\"" + row.halfWidth + "\" height=\"" + row.height + "\"/>");
    const SourcePicture picture = decodeLogoPicture(doc, QStringLiteral("d.svg"));
    EXPECT_TRUE(picture.saveAsCompactBitmap);
    ASSERT_EQ(picture.image.size(), row.rendered);
    const int w = row.rendered.width();
    EXPECT_EQ(picture.image.pixel(0, 0) | 0xFF000000u, qRgb(0, 0, 0));
    EXPECT_EQ(picture.image.pixel(w - 1, row.rendered.height() - 1) | 0xFF000000u, qRgb(255, 255, 255));
  }
  EXPECT_EQ(svgRenderSize(0, 5), QSize());
  EXPECT_EQ(svgRenderSize(std::numeric_limits<double>::infinity(), 5), QSize());
}

struct BadDrawing {
  const char* name;
  QByteArray bytes;
  std::string text;  // with "x" as the file's name
};

std::vector<BadDrawing> badDrawings() {
  const std::string external = "O desenho SVG \"x\" faz referência a algo fora do arquivo (";
  const std::string script = "O desenho SVG \"x\" contém scripts (";
  const QByteArray rect = "<rect width=\"10\" height=\"10\"/>";
  return {
      {"SvgImageFile", svg("width=\"10\" height=\"10\"", "<image xlink:href=\"/etc/hostname\" width=\"5\" height=\"5\"/>"),
       external + "/etc/hostname)"},
      {"SvgUseOtherFile", svg("width=\"10\" height=\"10\"", "<use xlink:href=\"other.svg#logo\"/>"),
       external + "other.svg#logo)"},
      {"SvgStyleUrl", svg("width=\"10\" height=\"10\"", "<rect style=\"fill:url('pat.svg#p')\" width=\"5\" height=\"5\"/>"),
       external + "pat.svg#p)"},
      {"SvgImport", svg("width=\"10\" height=\"10\"", "<style>@import url(x.css);</style>" + rect), external + "@import)"},
      {"SvgStyleSheet", "<?xml-stylesheet href=\"s.css\"?>" + svg("width=\"10\" height=\"10\"", rect),
       external + "href=\"s.css\")"},
      {"SvgExternalEntity",
       "<?xml version=\"1.0\"?><!DOCTYPE svg [<!ENTITY e SYSTEM \"file:///etc/passwd\">]>" +
           svg("width=\"10\" height=\"10\"", "<text>&e;</text>"),
       external + "file:///etc/passwd)"},
      {"SvgScript", svg("width=\"10\" height=\"10\"", "<script>alert(1)</script>" + rect), script + "<script>)"},
      {"SvgOnload", svg("width=\"10\" height=\"10\" onload=\"alert(1)\"", rect), script + "onload)"},
      {"SvgZeroViewBox", svg("viewBox=\"0 0 0 10\"", rect), "O desenho SVG \"x\" não tem tamanho"},
      {"SvgBroken", svg("width=\"10\" height=\"10\"", "<rect"), "O desenho SVG \"x\" está danificado ou não é um SVG válido."},
  };
}

void PrintTo(const BadDrawing& c, std::ostream* os) { *os << c.name; }

class BadDrawings : public ::testing::TestWithParam<BadDrawing> {};

TEST_P(BadDrawings, AreRefusedWithTheirReason) {
  std::string text = "no error";
  try {
    decodeLogoPicture(GetParam().bytes, QStringLiteral("x"));
  } catch (const BitmapError& e) {
    text = e.what();
  }
  EXPECT_EQ(text.substr(0, GetParam().text.size()), GetParam().text) << text;
}

INSTANTIATE_TEST_SUITE_P(Files, BadDrawings, ::testing::ValuesIn(badDrawings()),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vx
