// The standard edit commands and Next Pane, which the frame hands to the tab order.
#pragma once

#define ID_EDIT_CLEAR 57632
#define ID_EDIT_CLEAR_ALL 57633
#define ID_EDIT_COPY 57634
#define ID_EDIT_CUT 57635
#define ID_EDIT_FIND 57636
#define ID_EDIT_PASTE 57637
#define ID_EDIT_PASTE_LINK 57638
#define ID_EDIT_PASTE_SPECIAL 57639
#define ID_EDIT_REPEAT 57640
#define ID_EDIT_REPLACE 57641
#define ID_EDIT_SELECT_ALL 57642
#define ID_EDIT_UNDO 57643
#define ID_EDIT_REDO 57644
#define ID_NEXT_PANE 57680
