// Drawings as vector pages (PDF, SVG) at true size, compared with the
// preview renderer's picture of the same drawing, and as DXF of a current
// version.
#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include <filesystem>
#include <regex>
#include <fstream>
#include <sstream>

#include "drawings/drawing_model.h"
#include "drawings/outputs/pdf_file.h"
#include "drawings/outputs/vector_page.h"
#include "drawings/outputs/raster_picture.h"
#include "drawings/sheet_geometry.h"
#include "drawings/outputs/dxf2000_file.h"
#include "drawings/outputs/drawing_output.h"
#include "server/types.h"

using namespace plamor;
using namespace plamor::drawings;
namespace fs = std::filesystem;

namespace {

const std::string kFont = PLAMOR_BIN_DIR "/M_G_L.KVD";

// An A3 landscape sheet at scale 100: a 100 mm line, a frame in the white
// pen, a dashed line, a circle, a rotated elliptical arc, a rotated slanted
// text, a vertical text, and a line of pen 0 that is not drawn.
DrawingModel Sheet() {
  DrawingModel m;
  m.sheet.paperSize = ktpA3;
  m.sheet.scale = 100;
  auto line = [&](double x1, double y1, double x2, double y2, std::int32_t pen, std::int32_t style = ktpsolid,
                  double pitch = 0) { m.elements.push_back(LineElement{x1, y1, x2, y2, {pen, 1, style, pitch}}); };
  line(0, 0, 10000, 0, 1);
  line(1000, 1000, 41000, 1000, 7), line(41000, 1000, 41000, 28700, 7);
  line(41000, 28700, 1000, 28700, 7), line(1000, 28700, 1000, 1000, 7);
  line(2000, 5000, 40000, 5000, 2, ktpdash, 200);
  line(20000, 26000, 30000, 26000, 0);
  m.elements.push_back(ArcElement{8000, 15000, 3000, 3000, 0, 360, 0, {3, 1, ktpsolid, 0}});
  m.elements.push_back(ArcElement{20000, 15000, 6000, 3000, 45, 180, 15, {5, 2, ktpsolid, 0}});
  m.elements.emplace_back(std::in_place_type<TextElement>, 5000, 22000, 800, 800, 100, 15, 10, 4, 3, false,
                          std::int16_t{0}, "河川横断図 No.5");
  m.elements.emplace_back(std::in_place_type<TextElement>, 35000, 25000, 600, 600, 100, 0, 0, 6, 3, true,
                          std::int16_t{0}, "縦書き");
  return m;
}

std::string ReadAll(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

QString RunTool(const QString& program, const QStringList& args) {
  QProcess p;
  p.start(program, args);
  EXPECT_TRUE(p.waitForFinished(60000)) << program.toStdString();
  EXPECT_EQ(p.exitCode(), 0) << program.toStdString() << ": " << p.readAllStandardError().toStdString();
  return QString::fromUtf8(p.readAllStandardOutput());
}

// The PDF with its streams uncompressed, as qpdf writes it; qpdf --check
// must find nothing wrong with the file first.
std::string PdfContent(const fs::path& pdf) {
  RunTool("qpdf", {"--check", QString::fromStdString(pdf.string())});
  const fs::path plain = fs::path(pdf).replace_extension(".plain.pdf");
  RunTool("qpdf", {"--qdf", "--object-streams=disable", QString::fromStdString(pdf.string()),
                   QString::fromStdString(plain.string())});
  return ReadAll(plain);
}

std::size_t Count(const std::string& text, const std::string& what) {
  std::size_t n = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

// Share of the ink pixels of `a` that have ink of `b` within `reach` pixels,
// `map` taking a pixel of a to a pixel of b.
template <class InkA, class InkB, class Map>
double Covered(int widthA, int heightA, InkA inkA, InkB inkB, Map map, int reach) {
  long ink = 0, covered = 0;
  for (int y = 0; y < heightA; ++y)
    for (int x = 0; x < widthA; ++x) {
      if (!inkA(x, y)) continue;
      ++ink;
      const auto [bx, by] = map(x, y);
      bool found = false;
      for (int dy = -reach; dy <= reach && !found; ++dy)
        for (int dx = -reach; dx <= reach && !found; ++dx) found = inkB(int(std::lround(bx)) + dx, int(std::lround(by)) + dy);
      covered += found;
    }
  return ink == 0 ? 0 : double(covered) / double(ink);
}

class DrawingPages : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("plamor-pages-" + std::to_string(::getpid()));
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }
  fs::path folder_;
};

}  // namespace

TEST_F(DrawingPages, PdfIsTheSheetAtTrueSizeWithTheElementsAsTheyAre) {
  const fs::path pdf = folder_ / "sheet.pdf";
  WriteDrawingPage(Sheet(), PageFormat::kPdf, pdf, {"sheet.plm", kFont, {}});
  const QString info = RunTool("pdfinfo", {QString::fromStdString(pdf.string())});
  EXPECT_TRUE(info.contains("1190.55 x 841.89 pts (A3)")) << info.toStdString();
  EXPECT_TRUE(info.contains(QRegularExpression("Title: +sheet.plm"))) << info.toStdString();

  const std::string content = PdfContent(pdf);
  // The 100 mm line: 283.46 points long from the page's corner.
  EXPECT_NE(content.find("0 0 m\n283.46 0 l\n"), std::string::npos);
  // The pen-0 line (200 mm to 300 mm across) is not there.
  EXPECT_EQ(content.find("566.93 737.01 m"), std::string::npos);
  // The dashed line: the 5-3-5-3 pattern over its 2 mm pitch, in red.
  EXPECT_NE(content.find("1 0 0 RG [1.77 1.06 1.77 1.06] 0 d"), std::string::npos);
  // The white frame black on the page; the circle and the arcs as curves.
  EXPECT_NE(content.find("0 0 0 RG [] 0 d"), std::string::npos);
  EXPECT_GE(Count(content, " c\n"), 4u + 2u);
}

// Every layer a layer of the page files, by the names the drawing gives them;
// the PDF compressed and described, the same bytes however many threads draw it.
TEST_F(DrawingPages, PageFilesCarryTheLayersOfTheDrawing) {
  DrawingModel m = Sheet();
  for (int i = 0; i < 40000; ++i)  // several pieces of content
    m.elements.push_back(LineElement{1000.0 + i % 400 * 100, 2000, 1000.0 + i % 400 * 100, 3000, {4, 3, ktpsolid, 0}});
  m.layerNames = {{1, "frame"}, {2, "water"}, {3, "grid"}};
  const fs::path one = folder_ / "one.pdf", four = folder_ / "four.pdf", svg = folder_ / "layers.svg";
  PageOptions options{"layers", kFont, {}, 1, 1765000000};
  WritePdfPages({m}, one, options);
  options.jobs = 4;
  WritePdfPages({m}, four, options);
  EXPECT_EQ(ReadAll(one), ReadAll(four));
  EXPECT_NE(ReadAll(one).find("/FlateDecode"), std::string::npos);
  PdfContent(one);  // qpdf finds nothing wrong

  const QString script =
      "import sys, pypdf\n"
      "r = pypdf.PdfReader(sys.argv[1])\n"
      "print([g.get_object()['/Name'] for g in r.trailer['/Root']['/OCProperties']['/OCGs']])\n"
      "print(r.metadata['/Subject'], r.metadata['/CreationDate'])\n";
  const QString listed = RunTool("/usr/bin/python3", {"-c", script, QString::fromStdString(one.string())});
  EXPECT_TRUE(listed.startsWith("['frame', 'water', 'grid']\n")) << listed.toStdString();
  EXPECT_TRUE(listed.contains("A3 landscape 1:100 D:20251206054640+00'00'")) << listed.toStdString();

  WriteDrawingPage(m, PageFormat::kSvg, svg, {"layers", kFont, {}});
  QXmlStreamReader xml(QByteArray::fromStdString(ReadAll(svg)));
  QStringList layers;
  while (!xml.atEnd())
    if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"g" &&
        xml.attributes().value("inkscape:groupmode") == u"layer")
      layers << xml.attributes().value("inkscape:label").toString();
  ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  EXPECT_EQ(layers, (QStringList{"frame", "water", "grid"}));
}

TEST_F(DrawingPages, PdfPagesHoldEveryDrawingOnAPageOfItsOwnSheet) {
  DrawingModel a4 = Sheet();
  a4.sheet.paperSize = 4;
  a4.sheet.portrait = true;
  a4.sheet.tate = 210;
  a4.sheet.yoko = 297;
  const fs::path pdf = folder_ / "book.pdf";
  WritePdfPages({Sheet(), a4, Sheet()}, pdf, {"book", kFont, {}});
  const QString info = RunTool("pdfinfo", {"-f", "1", "-l", "3", QString::fromStdString(pdf.string())});
  EXPECT_TRUE(info.contains(QRegularExpression("Pages: +3"))) << info.toStdString();
  EXPECT_TRUE(info.contains(QRegularExpression("Page +1 size: +1190.55 x 841.89"))) << info.toStdString();
  EXPECT_TRUE(info.contains(QRegularExpression("Page +2 size: +595.28 x 841.89"))) << info.toStdString();
  EXPECT_TRUE(info.contains(QRegularExpression("Page +3 size: +1190.55 x 841.89"))) << info.toStdString();
  EXPECT_NEAR(ReadPdfPageSize(pdf)->width, 420, 1e-2);
  EXPECT_THROW(WritePdfPages({}, folder_ / "none.pdf", {}), std::invalid_argument);
  EXPECT_FALSE(fs::exists(folder_ / "none.pdf"));
}

TEST_F(DrawingPages, PdfInkLiesWhereThePreviewDrawsIt) {
  const DrawingModel model = Sheet();
  const fs::path pdf = folder_ / "sheet.pdf";
  WriteDrawingPage(model, PageFormat::kPdf, pdf, {"sheet", kFont, {}});
  const int dpi = 70;
  RunTool("pdftoppm", {"-r", QString::number(dpi), "-gray", "-singlefile", QString::fromStdString(pdf.string()),
                   QString::fromStdString((folder_ / "page").string())});
  const QImage page((folder_ / "page.pgm").c_str());
  ASSERT_FALSE(page.isNull());

  const auto dc = DrawPicture(model, 1200, kFont);
  dc->SavePng((folder_ / "preview.png").string());
  const QImage preview = QImage((folder_ / "preview.png").c_str()).convertToFormat(QImage::Format_RGB32);
  ASSERT_FALSE(preview.isNull());

  const DrawnBox box = DrawnArea(model);
  const double pxPerMm = dpi / 25.4, scale = model.sheet.scale;
  const double duPerPreviewX = (box.x1 - box.x0) / preview.width();
  const double duPerPreviewY = (box.y1 - box.y0) / (preview.height() - 1);
  auto previewInk = [&](int x, int y) {
    return x >= 0 && y >= 0 && x < preview.width() && y < preview.height() && (preview.pixel(x, y) & 0xFFFFFF) != 0;
  };
  auto pageInk = [&](int x, int y) {
    return x >= 0 && y >= 0 && x < page.width() && y < page.height() && qGray(page.pixel(x, y)) < 200;
  };
  auto previewToPage = [&](int x, int y) {
    const double wx = box.x0 + x * duPerPreviewX, wy = box.y0 + (preview.height() - 1 - y) * duPerPreviewY;
    return std::pair{wx / scale * pxPerMm, (297 - wy / scale) * pxPerMm};
  };
  auto pageToPreview = [&](int x, int y) {
    const double wx = x / pxPerMm * scale, wy = (297 - y / pxPerMm) * scale;
    return std::pair{(wx - box.x0) / duPerPreviewX, preview.height() - 1 - (wy - box.y0) / duPerPreviewY};
  };
  EXPECT_GT(Covered(preview.width(), preview.height(), previewInk, pageInk, previewToPage, 2), 0.95);
  EXPECT_GT(Covered(page.width(), page.height(), pageInk, previewInk, pageToPreview, 2), 0.9);
}

TEST_F(DrawingPages, SvgHoldsTheStrokesOfThePdf) {
  // The sheet, then with the same texts again and again, inside the sheet
  // (the PDF writes them again from their first drawing) and across its
  // edges (cut, drawn anew).
  DrawingModel repeated = Sheet();
  for (int i = 0; i < 60; ++i) {
    const double x = -1000 + i % 10 * 4800.0, y = i / 10 * 6000.0 - 500;
    repeated.elements.emplace_back(std::in_place_type<TextElement>, x, y, 800, 800, 100, 0, 0, 1 + i % 2, 3,
                                   false, std::int16_t{0}, i % 3 ? "No.12" : "河川");
  }
  for (const DrawingModel& model : {Sheet(), repeated}) {
    const bool plain = model.elements.size() == Sheet().elements.size();
    const fs::path pdf = folder_ / "sheet.pdf", svg = folder_ / "sheet.svg";
    WriteDrawingPage(model, PageFormat::kPdf, pdf, {"sheet", kFont, {}});
    WriteDrawingPage(model, PageFormat::kSvg, svg, {"sheet", kFont, {}});
    const std::string content = PdfContent(pdf);

    QXmlStreamReader xml(QByteArray::fromStdString(ReadAll(svg)));
    std::string commands;
    int paths = 0;
    QString width, height, viewBox;
    while (!xml.atEnd()) {
      if (xml.readNext() != QXmlStreamReader::StartElement) continue;
      if (xml.name() == u"svg") {
        width = xml.attributes().value("width").toString();
        height = xml.attributes().value("height").toString();
        viewBox = xml.attributes().value("viewBox").toString();
      } else if (xml.name() == u"path") {
        ++paths;
        commands += xml.attributes().value("d").toString().toStdString() + "\n";
      }
    }
    ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(width, "420mm");
    EXPECT_EQ(height, "297mm");
    EXPECT_EQ(viewBox, "0 0 1190.55 841.89");
    // One path per pen; the PDF strokes every text by itself.
    if (plain) EXPECT_EQ(std::size_t(paths), Count(content, "S\n"));
    EXPECT_EQ(Count(commands, "M"), Count(content, " m\n")) << plain;
    EXPECT_EQ(Count(commands, "L"), Count(content, " l\n")) << plain;
    EXPECT_EQ(Count(commands, "C"), Count(content, " c\n")) << plain;
    // The 100 mm line along the bottom edge, y turned downward.
    EXPECT_NE(commands.find("M0 841.89 L283.46 841.89"), std::string::npos);
  }
}

TEST_F(DrawingPages, FittedOntoAPaperTheSheetKeepsItsProportionsAndTurnsWithIt) {
  const fs::path pdf = folder_ / "fit.pdf";
  WriteDrawingPage(Sheet(), PageFormat::kPdf, pdf, {"fit", kFont, PaperMm{210, 297}});
  const QString info = RunTool("pdfinfo", {QString::fromStdString(pdf.string())});
  EXPECT_TRUE(info.contains("841.89 x 595.28 pts (A4)")) << info.toStdString();
  // A3 onto A4 landscape: the 100 mm line becomes 70.71 mm (200.43 points)
  // along the bottom edge, the sheet centred across.
  const std::string content = PdfContent(pdf);
  std::smatch line;
  ASSERT_TRUE(std::regex_search(content, line, std::regex("\n([0-9.]+) 0 m\n([0-9.]+) 0 l\n"))) << content;
  EXPECT_NEAR(std::stod(line[2]) - std::stod(line[1]), 200.43, 0.02);
  EXPECT_NEAR(std::stod(line[1]), 0.04, 0.02);
}

TEST(ModernDxf, TextsAreShiftJisWithControlCharactersInCaretForm) {
  EXPECT_EQ(Dxf2000Text("No.5 河川"), "No.5 \x89\xCD\x90\xEC");
  EXPECT_EQ(Dxf2000Text("a^b\nc"), "a^ b^Jc");
}

// A pen beyond 7 (a standard text file may hold pen 8) is drawn as pen 7 in
// every picture, as the writers write it; pen 0 stays undrawn.
TEST_F(DrawingPages, PensBeyondSevenAreDrawnAsPenSeven) {
  DrawingModel m;
  m.sheet.paperSize = ktpA3;
  m.sheet.scale = 1;
  m.elements.push_back(LineElement{10, 10, 110, 10, {8, 1, ktpsolid, 0}});
  const fs::path pdf = folder_ / "pen8.pdf";
  PdfOutput().Write(m, pdf, {"pen8", kFont, {}, 1600});
  const std::string content = PdfContent(pdf);
  EXPECT_NE(content.find("28.35 28.35 m\n311.81 28.35 l\n"), std::string::npos) << content;
  EXPECT_NE(content.find("0 0 0 RG [] 0 d"), std::string::npos);  // pen 7, black on the page
  const auto picture = DrawPicture(m, 800, kFont);
  int inked = 0;
  for (int x = 0; x < picture->Width(); ++x)
    for (int y = 0; y < picture->Height(); ++y) inked += picture->GetPixel(x, y) != Rgb(0, 0, 0);
  EXPECT_GT(inked, 100);
}

// $EXTMIN and $EXTMAX are the exact box of the drawn elements: a circle by its
// curve, a text by its box, pen 0 left out.
TEST_F(DrawingPages, Dxf2000ExtentsAreThoseOfTheDrawnElements) {
  DrawingModel m;
  m.sheet.paperSize = ktpA3;
  m.sheet.scale = 1;
  m.elements.push_back(ArcElement{100, 100, 20, 20, 0, 360, 0, {1, 1, ktpsolid, 0}});
  m.elements.emplace_back(std::in_place_type<TextElement>, 150, 50, 4, 5, 1, 0, 0, 2, 1, false, std::int16_t{0},
                          "ABC");
  m.elements.push_back(LineElement{-500, -500, 900, 900, {0, 1, ktpsolid, 0}});
  const fs::path dxf = folder_ / "extents.dxf";
  WriteDxf2000(m, dxf);
  const std::string text = ReadAll(dxf);
  auto value = [&](const std::string& name, const char* code) {
    std::size_t at = text.find(name);
    at = text.find(std::string("\n") + code + "\n", at);
    return std::stod(text.substr(at + 5, text.find('\n', at + 5) - at - 5));
  };
  EXPECT_DOUBLE_EQ(value("$EXTMIN", " 10"), 80);
  EXPECT_DOUBLE_EQ(value("$EXTMIN", " 20"), 50);
  EXPECT_DOUBLE_EQ(value("$EXTMAX", " 10"), 150 + 3 * 4 / 2 + 2 * 1);  // three half-width characters, two spacings
  EXPECT_DOUBLE_EQ(value("$EXTMAX", " 20"), 120);
}
