// DocNotifyCode: what a notification tells the observers.
#pragma once

// Zero or negative: one of the codes below. Positive: the id of a category
// that the category tree is to select; the other observers refill.
using DocNotifyCode = int;

namespace NotifyCode {
// Anything may have changed: reload what is shown.
constexpr DocNotifyCode kAll = 0;
constexpr DocNotifyCode kTasksChanged = -1;
// A find hit is ready in the document's search results.
constexpr DocNotifyCode kFindHit = -3;
// The plan-entry finder found plan entries of a task.
constexpr DocNotifyCode kPlanEntriesFound = -4;
constexpr DocNotifyCode kTasksSorted = -5;
// Sent by nobody; views take it as a reload.
constexpr DocNotifyCode kReload = -6;
constexpr DocNotifyCode kCategorySelected = -7;
// Sent by nobody; views redraw.
constexpr DocNotifyCode kRedraw = -8;
constexpr DocNotifyCode kMoodsChanged = -9;
// A document was loaded or created: rebuild from scratch.
constexpr DocNotifyCode kDocumentLoaded = -10;
// Store in the document the view state it keeps; sent before it is replaced.
constexpr DocNotifyCode kStoreViewState = -11;
constexpr DocNotifyCode kHolidaysChanged = -12;
// An edit in place (a rename in a list or tree) ends now, kept on the plan it
// began on: the plan is about to be asked about, closed or replaced.
constexpr DocNotifyCode kEndEditsInPlace = -13;
} // namespace NotifyCode
