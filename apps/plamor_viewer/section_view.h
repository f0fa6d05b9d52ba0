// One cross-section of a river with all its surveys overlaid, looking
// downstream (the left bank on the left): each survey's bed in a stroke of
// the river sheets (sheets::SurveyStroke) by its rank among the section's
// own surveys, the latest black and solid, so that no two surveys of the
// section look alike whatever the dates of the others; its water line
// where the bed meets its water surface (charts::WaterLineOf), a legend of
// the dates, the distance mark as title, axes in metres.
#pragma once

#include <QWidget>
#include <vector>

#include "survey/river.h"

namespace plamor::viewer {

class SectionView : public QWidget {
  Q_OBJECT
 public:
  explicit SectionView(QWidget* parent = nullptr);

  void Show(const survey::RiverSection& section);
  void Remove();
  const survey::RiverSection* Section() const { return showing_ ? &section_ : nullptr; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  bool showing_ = false;
  survey::RiverSection section_;
};

}  // namespace plamor::viewer
