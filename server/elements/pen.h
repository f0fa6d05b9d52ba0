// A pen of the drawing server: a number 0 to 7 with a colour name and a
// display colour. Any number is stored; numbers outside 0..7 read as the
// default row ("未定", black).
#pragma once

#include <cstdint>
#include <string>

namespace plamor {

class clsPen {
 public:
  std::int32_t No() const { return no_; }
  void SetNo(std::int32_t no) { no_ = no; }

  // "黒", "緑", "赤", "紫", "青", "水", "黄", "白"; "未定" for other numbers.
  std::string ColorName() const;
  // Display colour packed as red + 256 * green + 65536 * blue.
  std::int32_t Color() const;

 private:
  std::int32_t no_ = 1;  // a new pen is green
};

}  // namespace plamor
