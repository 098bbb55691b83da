// The command and string ids the document answers to; the program's resource header includes them.
#pragma once

#define IDS_PRODUCT_NAME 128

// File commands. The recent documents take ID_FILE_MRU_FIRST (the most
// recent) to ID_FILE_MRU_LAST.
#define ID_FILE_NEW 57600
#define ID_FILE_OPEN 57601
#define ID_FILE_SAVE 57603
#define ID_FILE_SAVE_AS 57604
#define ID_FILE_MRU_FIRST 57616
#define ID_FILE_MRU_LAST 57631

// Commands of the planning document.
#define ID_FIND_GOALS_WIZARD 568
#define ID_PREPARE_REPORT 32783
#define ID_PROPERTIES 32787
#define ID_ARRANGE_DEADLINES 32805
#define ID_FIND 32813
#define ID_FIND_NEXT 32814
#define ID_TRANSPARENT_CATEGORIES 32815
#define ID_LOGIN 32879
