#include "document/Document.h"
#include "testing/TestSupport.h"
