// What every drawing element of the store shares: the tag that marks it
// removed, its own pen (created on first use), layer and style, and the
// members the output run calls on each element.
#pragma once

#include <cstdint>
#include <string>

#include "platform/dc_handle.h"
#include "server/types.h"

namespace plamor {

class clsPen;
class ListView;

enum class ElementKind : std::uint8_t { Line, Circle, Text };

class clsZElement {
 public:
  virtual ~clsZElement() = default;
  clsZElement(const clsZElement&) = default;
  clsZElement& operator=(const clsZElement&) = default;

  ElementKind Kind() const { return kind_; }

  // "DEL" marks the element as removed: preview, list records and writers skip it.
  std::string Tag;
  bool IsDeleted() const { return Tag == "DEL"; }

  // Layer 1..128 (registration keeps it in range; the field itself is unchecked).
  std::int16_t Layer = 1;
  // Line style (`ktpStyle`) of lines and circles; writing direction
  // (`ktpMojiType`) of texts.
  std::int32_t Style = 0;

  // pen get: the element's pen, a default pen 1 being created first when it has none.
  clsPen pen();
  // pen put: creates the pen when there is none, then sets its number.
  void SetPen(std::int32_t number);
  // pen put by reference: the element takes the given pen.
  void SetPen(const clsPen& pen);
  // Number of the element's pen (1, the default pen's, when none was set yet).
  std::int32_t PenNo() const { return penNo_; }
  bool HasPen() const { return hasPen_; }

  // Text by which registration detects a duplicate element.
  virtual std::string SearchKey() const = 0;
  // Adds the element's record to the list (tag = index), or marks a degenerate element "DEL".
  virtual void SetListView(ListView& list, std::int32_t index) = 0;
  // Draws the element into the preview through Graphic; nothing for a removed element.
  virtual void Disp(HDC hdc) = 0;
  // Turns the scale-dependent sizes from paper millimetres into drawing units.
  virtual void ChangeScale(double dScale) = 0;
  // Overwrites the four bounds with the element's own rectangle.
  virtual void MaxMin(double& minX, double& minY, double& maxX, double& maxY) const = 0;

 protected:
  explicit clsZElement(ElementKind kind) : kind_(kind) {}

 private:
  std::int32_t penNo_ = 1;
  bool hasPen_ = false;
  ElementKind kind_;
};

}  // namespace plamor
