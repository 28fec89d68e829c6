// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up of the main window's table, skinned or not, ending at its first
// paint: what the skin adds to start-up.
// Usage: bench_main_window_table plain|skinned
#include "app/form1layout.h"
#include "app/startup.h"
#include "bench/support/firstpaint.h"
#include "platform/form.h"
#include "skin/skincontrol.h"
#include "skin/storedskin.h"

namespace {

class MainWindowTable : public platform::Form {
public:
    explicit MainWindowTable(bool skinned) : platform::Form(app::Form1Spec), skinned_(skinned) {}

protected:
    QWidget *createCustomControl(const platform::ControlSpec &, QWidget *container) override {
        return new skin::SkinControl(skin::storedSkinStream(1), container);
    }
    void Form_Load() override {
        if (skinned_)
            control<skin::SkinControl>("Skin1")->Invoke(
                skin::SkinControl::DispidApply, platform::InvokeKind::Method,
                {platform::Variant(static_cast<qint32>(hWnd()))});
    }

private:
    bool skinned_;
};

} // namespace

int main(int argc, char *argv[]) {
    app::ProgramStart start(argc, argv); // as the program starts, fonts and all
    MainWindowTable form(argc > 1 && qstrcmp(argv[1], "skinned") == 0);
    bench::QuitAfterFirstPaint quit;
    return bench::runForm(form, quit);
}
