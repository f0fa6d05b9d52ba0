// The picture area of a chart control: a drawing surface that keeps what is
// drawn on it until it is cleared, with the drawing state of the host's
// picture boxes (fore colour, draw width, draw style, font, current position).
// Scale units are pixels, x to the right, y downward. Implementations draw
// into an image (ImagePicture) or record every operation (RecordingPicture).
#pragma once

#include <cstdint>
#include <string>

namespace plamor::charts {

// A colour as 0xRRGGBB.
using Rgb = std::uint32_t;

// Entry 0..15 of the standard 16-colour palette; an index outside 0..15 is an
// invalid-call error.
Rgb QBColor(int index);

enum class DrawStyle { kSolid = 0, kDot = 2 };

struct PictureFont {
  std::string name;  // the host's font name, e.g. "ＭＳ ゴシック"
  double size = 9;   // points
  bool bold = false;

  friend bool operator==(const PictureFont&, const PictureFont&) = default;
};

// The state a drawing operation is made with.
struct PicturePen {
  Rgb color = 0;
  int width = 1;
  DrawStyle style = DrawStyle::kSolid;
};

// One drawing operation on a picture, as the picture hands it to its surface.
struct PictureOp {
  enum class Kind { kErase, kLine, kBox, kCircle, kPrint, kResize };
  Kind kind = Kind::kErase;
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // line and box ends; circle centre and print position in x1, y1
  double radius = 0;
  PicturePen pen;       // the colour alone for kErase and kPrint
  std::string text;     // kPrint
  PictureFont font;     // kPrint

  // One line of text naming everything the operation was made with:
  //   erase #FFFFFF
  //   line (25,312)-(405,312) #808080 w1 dot
  //   box (25,312)-(405,10) #808080 w2 solid
  //   circle (90,102) r2 #0000FF w1 solid
  //   print (30,20) #800080 "title" [ＭＳ ゴシック 9]   (" bold" after the size when bold)
  //   resize 400x300
  std::string ToString() const;
};

class Picture {
 public:
  Picture(int width, int height, PictureFont font);
  virtual ~Picture() = default;
  Picture(const Picture&) = delete;
  Picture& operator=(const Picture&) = delete;

  int ScaleWidth() const { return width_; }
  int ScaleHeight() const { return height_; }
  // Changes the size; what is drawn stays, new parts show the background.
  void Resize(int width, int height);

  Rgb BackColor() const { return backColor_; }
  // Setting the background colour erases the picture with it.
  void SetBackColor(Rgb color);
  // Erases the picture with the background colour; the current position returns to (0, 0).
  void Cls();

  Rgb ForeColor() const { return pen_.color; }
  void SetForeColor(Rgb color) { pen_.color = color; }
  int DrawWidth() const { return pen_.width; }
  void SetDrawWidth(int width) { pen_.width = width < 1 ? 1 : width; }
  DrawStyle GetDrawStyle() const { return pen_.style; }
  void SetDrawStyle(DrawStyle style) { pen_.style = style; }

  const PictureFont& Font() const { return font_; }
  void SetFontName(std::string name) { font_.name = std::move(name); }
  void SetFontSize(double size) { font_.size = size; }
  void SetFontBold(bool bold) { font_.bold = bold; }

  double CurrentX() const { return currentX_; }
  double CurrentY() const { return currentY_; }
  void SetCurrentX(double x) { currentX_ = x; }
  void SetCurrentY(double y) { currentY_ = y; }

  // A line in `color` with the current width and style; the current position moves to its end.
  void Line(double x1, double y1, double x2, double y2, Rgb color);
  // The outline of the rectangle with corners (x1, y1) and (x2, y2).
  void Box(double x1, double y1, double x2, double y2, Rgb color);
  // A circle of `radius` around (x, y).
  void Circle(double x, double y, double radius, Rgb color);
  // Text in the fore colour and current font, its top-left corner at the current position.
  void Print(const std::string& text);
  // Sets the current position, then prints.
  void PrintAt(double x, double y, const std::string& text);

 protected:
  // Carries out one operation on the surface: every drawing call of the
  // picture comes here as one.
  virtual void Draw(const PictureOp& op) = 0;

 private:
  void Erase(Rgb color);
  PicturePen WithColor(Rgb color) const;

  int width_;
  int height_;
  Rgb backColor_ = 0xFFFFFF;
  PicturePen pen_;
  PictureFont font_;
  double currentX_ = 0;
  double currentY_ = 0;
};

}  // namespace plamor::charts
