// A CUPS print queue as plamor-draw prints to it: its default paper, and
// PDF files handed to it as jobs.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "drawings/sheet_geometry.h"

typedef struct cups_dest_s cups_dest_t;

namespace plamor::draw {

class PrintQueue {
 public:
  // std::runtime_error naming the queue when no CUPS scheduler answers or
  // the scheduler knows no such queue.
  explicit PrintQueue(const std::string& name);
  ~PrintQueue();
  PrintQueue(const PrintQueue&) = delete;
  PrintQueue& operator=(const PrintQueue&) = delete;

  // The queue's default paper (portrait), A4 when the queue names none.
  drawings::PaperMm DefaultPaper() const;
  // Sends the PDF as one job: on paper of the page's size, unscaled, or
  // without a page size scaled by the printer onto its paper. Returns the
  // job's number; std::runtime_error naming the queue when refused.
  int Print(const std::filesystem::path& pdf, const std::string& title, std::optional<drawings::PaperMm> page) const;

 private:
  std::string name_;
  cups_dest_t* dest_ = nullptr;
};

}  // namespace plamor::draw
