#include "session/ngm_doc.h"

CNGMDoc::CNGMDoc() = default;
CNGMDoc::~CNGMDoc() = default;
