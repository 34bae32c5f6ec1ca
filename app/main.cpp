// Starts the program.
#include "gui/MessageBoxOnScreen.h"
#include "gui/ProgramStyle.h"
#include "gui/frmAbout.h"
#include "gui/frmKetterby.h"

#include <QApplication>

#ifdef Q_OS_LINUX
#include <sys/prctl.h>
#include <sys/resource.h>
#endif

namespace {

// A crash must never write the passwords in memory to a core file.
void DisableCoreDumps() {
#ifdef Q_OS_LINUX
    const rlimit none{0, 0};
    setrlimit(RLIMIT_CORE, &none);
    prctl(PR_SET_DUMPABLE, 0, 0, 0, 0);
#endif
}

} // namespace

int main(int argc, char* argv[]) {
    DisableCoreDumps();
    QApplication application(argc, argv);
    application.setStyle(new ProgramStyle(application.style()->name()));
    // Also the windows' class on X11, which the desktop entry names as StartupWMClass.
    application.setApplicationName("Ketterby");
    // Every window shows the program's icon; the desktop matches the window to its entry.
    application.setWindowIcon(frmAbout::ProgramIcon());
    application.setDesktopFileName(KETTERBY_ID);
    MessageBoxes::SetResponder(MessageBoxes::ShowOnScreen);
    frmKetterby window(frmKetterby::Controls::AfterAccountDialog);
    window.Form_Load();
    window.show();
    return application.exec();
}
