#include "ui/ApplicationStart.h"
#include "ui/TarvelApplication.h"

int main(int argc, char** argv) {
    tarvel::TarvelApplication application(argc, argv);
    return tarvel::RunTarvel();
}
