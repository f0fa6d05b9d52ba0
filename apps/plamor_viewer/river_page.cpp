#include "apps/plamor_viewer/river_page.h"

#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <system_error>

#include "apps/plamor_viewer/drawing_page.h"
#include "apps/plamor_viewer/report.h"
#include "apps/plamor_viewer/river_table_model.h"
#include "apps/plamor_viewer/section_view.h"
#include "cli/input_error.h"
#include "hydraulics/river_table.h"
#include "platform/folders.h"
#include "sheets/river_profile.h"
#include "sheets/river_sheet.h"

namespace plamor::viewer {

std::vector<std::filesystem::path> RiverFilesIn(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> files;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error))
    if (entry.is_regular_file(error) && folders::EndsWithKind(entry.path(), "csv")) files.push_back(entry.path());
  if (error) throw InputError(folder, "the folder cannot be read: " + error.message());
  if (files.empty()) throw InputError(folder, "the folder holds no .csv cross-section files");
  std::sort(files.begin(), files.end());
  return files;
}

RiverPage::RiverPage(QWidget* parent)
    : QWidget(parent),
      name_(new QLabel),
      list_(new QListWidget),
      views_(new QTabWidget),
      section_(new SectionView),
      table_(new QTableView),
      model_(new RiverTableModel(this)),
      tableStatus_(new QLabel),
      profileChoice_(new QComboBox),
      profileStatus_(new QLabel),
      profile_(new DrawingView) {
  auto* openFolder = new QPushButton("河川のフォルダを開く…");
  auto* openFiles = new QPushButton("横断測量ファイルを開く…");
  auto* side = new QVBoxLayout;
  side->addWidget(openFolder);
  side->addWidget(openFiles);
  side->addWidget(name_);
  side->addWidget(list_, 1);
  list_->setMaximumWidth(220);
  name_->setWordWrap(true);
  name_->setMaximumWidth(220);

  auto* tablePage = new QWidget;
  auto* tableLayout = new QVBoxLayout(tablePage);
  tableLayout->addWidget(tableStatus_);
  tableLayout->addWidget(table_, 1);
  tableStatus_->setWordWrap(true);
  table_->setModel(model_);
  table_->verticalHeader()->hide();
  table_->verticalHeader()->setDefaultSectionSize(22);
  views_->addTab(section_, "横断面");
  auto* profilePage = new QWidget;
  auto* profileLayout = new QVBoxLayout(profilePage);
  auto* profileBar = new QHBoxLayout;
  profileBar->addWidget(profileChoice_);
  profileBar->addWidget(profileStatus_, 1);
  profileLayout->addLayout(profileBar);
  profileLayout->addWidget(profile_, 1);
  profileStatus_->setWordWrap(true);
  views_->addTab(profilePage, "縦断図");
  views_->addTab(tablePage, "水理量表");

  auto* layout = new QHBoxLayout(this);
  layout->addLayout(side);
  layout->addWidget(views_, 1);
  connect(openFolder, &QPushButton::clicked, this, &RiverPage::OpenFolder);
  connect(openFiles, &QPushButton::clicked, this, &RiverPage::OpenFiles);
  connect(list_, &QListWidget::currentRowChanged, this, &RiverPage::ShowSection);
  connect(profileChoice_, &QComboBox::currentIndexChanged, this, &RiverPage::ShowProfileSheet);
}

bool RiverPage::OpenRiver(const std::vector<std::filesystem::path>& files) {
  survey::River river;
  try {
    std::vector<std::filesystem::path> sections;
    for (const auto& f : files) {
      if (std::filesystem::is_directory(f)) {
        const auto inside = RiverFilesIn(f);
        sections.insert(sections.end(), inside.begin(), inside.end());
      } else {
        sections.push_back(f);
      }
    }
    river = survey::ReadRiver(sections);
  } catch (const std::exception& e) {
    Report(this, "河川", QString::fromStdString(e.what()));
    return false;
  }
  river_ = std::move(river);
  name_->setText(QString::fromStdString(river_->riverSystem + "  " + river_->river) +
                 QString("\n%1 断面").arg(river_->sections.size()));
  const QSignalBlocker block(list_);
  list_->clear();
  for (const survey::RiverSection& s : river_->sections)
    list_->addItem(QString("%1 km   (%2 回)").arg(QString::fromStdString(sheets::DistanceMarkText(s.distanceMark))).arg(s.surveys.size()));
  Tabulate();
  LayOutProfile();
  list_->setCurrentRow(0);
  ShowSection(0);
  return true;
}

void RiverPage::OpenFolder() {
  const QString folder = QFileDialog::getExistingDirectory(this, "河川のフォルダを開く");
  if (!folder.isEmpty()) OpenRiver({folder.toStdString()});
}

void RiverPage::OpenFiles() {
  const QStringList names =
      QFileDialog::getOpenFileNames(this, "横断測量ファイルを開く", {}, "横断測量ファイル (*.csv);;すべて (*)");
  std::vector<std::filesystem::path> files;
  for (const QString& n : names) files.emplace_back(n.toStdString());
  if (!files.empty()) OpenRiver(files);
}

void RiverPage::ShowSection(int row) {
  if (!river_ || row < 0 || row >= int(river_->sections.size())) {
    section_->Remove();
    return;
  }
  section_->Show(river_->sections[std::size_t(row)]);
}

// The profile's sheets, as plamor-draw river profile lays them out with its
// own scales; a river the profile cannot show is said in its place.
void RiverPage::LayOutProfile() {
  const QSignalBlocker block(profileChoice_);
  profileChoice_->clear();
  try {
    profileSheets_ = sheets::DrawRiverProfile(*river_, {});
    const auto plans = sheets::PlanRiverProfile(*river_, {});
    for (std::size_t k = 0; k < plans.size(); ++k)
      profileChoice_->addItem(QString("%1 / %2   %3〜%4 km")
                                  .arg(k + 1)
                                  .arg(plans.size())
                                  .arg(QString::fromStdString(
                                      sheets::DistanceMarkText(river_->sections[plans[k].firstSection].distanceMark)))
                                  .arg(QString::fromStdString(
                                      sheets::DistanceMarkText(river_->sections[plans[k].lastSection].distanceMark))));
    profileStatus_->setText(QString("横 1:%1  縦 1:%2").arg(plans[0].distanceScale).arg(plans[0].elevationScale));
  } catch (const std::exception& e) {
    profileSheets_.clear();
    profileStatus_->setText(QString::fromStdString(e.what()));
  }
  ShowProfileSheet(0);
}

void RiverPage::ShowProfileSheet(int index) {
  if (index >= 0 && index < int(profileSheets_.size())) profile_->Show(profileSheets_[std::size_t(index)]);
}

// The table at each survey's own water surface; a survey without one is
// said above the table, which then stays empty.
void RiverPage::Tabulate() {
  try {
    model_->SetRows(hydraulics::TabulateRiver(*river_, {hydraulics::StageSource::OwnWaterSurface(), std::nullopt}));
    tableStatus_->setText("各測量の水位 (水位点 16) での水理量");
  } catch (const std::exception& e) {
    model_->SetRows({});
    tableStatus_->setText(QString::fromStdString(e.what()));
  }
  table_->resizeColumnsToContents();
}

}  // namespace plamor::viewer
