// The three observations of one section the chart drawing tests load (their
// header titled `title` and `datum`), on the distance range -10..64:
//   1: water 2, bed 3, 1, 0.5, 1.5 at distances 0, 10, 20, 30
//   2: water 1, bed 1, 1 at distances 0, 20
//   3: water 3, bed 2, 0, 4 at distances 5, 25, 45
#pragma once

#include "charts/danmen.h"
#include "tests/charts/observation_lines.h"

namespace charts_test {

inline void SetThreeObservations(plamor::charts::Danmen& danmen, const char* title, const char* datum) {
  danmen.SetData(SurveyLines(title, datum, "1", "2003/07/15", "2", "0,10,20,30", "-1,1,1.5,0.5"));
  danmen.SetData(SurveyLines(title, datum, "2", "2003/10/01", "1", "0,20", "0,0"));
  danmen.SetData(SurveyLines(title, datum, "3", "2004/08/01", "3", "5,25,45", "1,3,-1"));
  danmen.SetKyoriMin(-10);
  danmen.SetKyoriMax(64);
}

}  // namespace charts_test
