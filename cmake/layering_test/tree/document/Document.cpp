#include "document/Document.h"

#include <vector>

#include "testing/TestSupport.h"
