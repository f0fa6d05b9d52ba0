// The hydraulic quantities of one cross-section survey at a stage, and the
// change of its bed against an earlier survey.
//
// The bed line is the survey's points that have an elevation, joined in order
// from the left bank to the right, between its left-bank and right-bank
// distance posts (flags 1 and 18) where it has both: the land behind a levee
// is surveyed too but carries no flow of the river. Points at one distance
// make a vertical wall. Water stands wherever the bed lies below the stage: the wetted parts
// are where the bed line crosses the stage, so that a dry island inside the
// water splits them, and a stretch of bed lying exactly at the stage is dry
// (it holds no water). Where an end of the bed line lies below the stage, the
// section is closed there by a vertical wall up to the stage, as the
// cross-section chart draws it: the water is held within the surveyed width,
// and the wall belongs to the wetted perimeter like any other face of the bed.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "survey/river_section_file.h"

namespace plamor::hydraulics {

struct BedPoint {
  double distance = 0;   // m across the section
  double elevation = 0;  // m
};

// The points of the survey that have an elevation, in order, from the left
// distance post to the right one (the whole profile without both posts).
std::vector<BedPoint> BedLine(const survey::SectionSurvey& survey);

struct SectionFlow {
  double stage = 0;
  double area = 0;             // A, m²
  double wettedPerimeter = 0;  // P, m
  double topWidth = 0;         // B, m
  // R = A/P, A/B and the mean bed (stage - A/B); empty when nothing is wet.
  std::optional<double> hydraulicRadius, hydraulicDepth, meanBed;
  std::size_t wettedParts = 0;  // separated by dry ground above the stage
  // The stage lies above an end of the bed line (above the top of the wall
  // the survey has there): the section is closed there by a wall of its own.
  bool walledLeft = false, walledRight = false;
};

// The flow quantities of a bed line (at least two points, distances never
// decreasing) at a stage.
SectionFlow FlowAt(const std::vector<BedPoint>& bed, double stage);

// The deepest bed: the lowest elevation between the first and the last
// shoulder of the low-water channel (points flagged 13), or of the whole bed
// line when the survey has fewer than two such shoulders. Infinite when no
// point has an elevation.
double DeepestBed(const survey::SectionSurvey& survey);

struct BedChange {
  double deposition = 0;  // m², where the later bed lies above the earlier
  double scour = 0;       // m², where it lies below (a positive area)
};

// The areas between two bed lines over the stretch both cover (zero when
// they share none).
BedChange CompareBeds(const std::vector<BedPoint>& later, const std::vector<BedPoint>& earlier);

}  // namespace plamor::hydraulics
