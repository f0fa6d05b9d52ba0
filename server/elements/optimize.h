// Merging of horizontal and vertical line pieces that lie on the same line,
// touch or overlap and share pen, layer, style and pitch; zero-length lines
// are dropped in the same pass. Merged-away lines are marked "DEL".
#pragma once

namespace plamor {

class DlgView;
class ElementStore;
class EventPump;
class ListView;

// The pass of the server dialog: the lines' grouping records go into the
// work list, which is sorted by text (store order kept among equal texts);
// in every group of equal records each chain of touching or overlapping
// pieces ends as its last piece in list order, covering the chain. Progress
// goes to the view; `cancel` is polled after every merge step.
void OptimizeLines(ElementStore& store, ListView& work, DlgView& view, EventPump& pump,
                   const bool& cancel);

}  // namespace plamor
