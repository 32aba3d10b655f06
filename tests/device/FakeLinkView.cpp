#include "FakeLinkView.h"

#include <cstdio>
#include <cstdlib>

namespace tarvel::test {

void FakeLinkView::ExitApplication(int code) {
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(code);
}

} // namespace tarvel::test
