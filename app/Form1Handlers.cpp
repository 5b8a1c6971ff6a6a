// The window's own handlers: start-up and closing.
#include "app/Form1Handlers.h"

#include "app/LongWork.h"
#include "app/StatusLine.h"
#include "resources/Texts.h"

Form1Handlers::Form1Handlers() = default;

Form1Handlers::~Form1Handlers() = default;

void Form1Handlers::FormCreate(const void*) { Activated = false; }

void Form1Handlers::FormShow(const void*) {
    Status().SetText(texts::Cp932(texts::kSelectDrive));
    Activated = true;
}

void Form1Handlers::FormCloseQuery(const void*, bool& CanClose) {
    LongWork& work = Work();
    CanClose = !work.Running();
    if (CanClose || work.StopRequested()) return;
    // Stopped as ESC would stop it, the work ends at its next poll; the window closes then.
    work.RequestStop();
    work.WhenIdle([this] { Close(); });
}

void Form1Handlers::MnuExitClick(const void*) { Close(); }
