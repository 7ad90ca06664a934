#include "model/ngm_doc.h"

namespace {
CNGMDoc* s_pCurrent = nullptr;
}

CNGMDoc::CNGMDoc() {
    s_pCurrent = this;
}

CNGMDoc::~CNGMDoc() {
    if (s_pCurrent == this)
        s_pCurrent = nullptr;
}

CNGMDoc* CNGMDoc::Current() {
    return s_pCurrent;
}
