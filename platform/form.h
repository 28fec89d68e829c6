// SPDX-License-Identifier: GPL-3.0-or-later
// A window of the program: fixed properties and controls given as one table,
// loaded when it is first shown, unloaded when the user closes it. The object
// outlives its window: showing it again after a close loads it afresh.
#pragma once

#include "platform/runtimeerror.h"
#include "platform/win32.h"

#include <QIcon>
#include <QImage>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <span>

namespace platform {

enum class ControlKind { PushButton, Frame, PictureBox, Image, Custom };

// The mouse pointers the program's controls use.
enum class MousePointer { Default, ArrowQuestion, NoDrop };

struct FontSpec {
    const char *face;
    double points;
    int weight;
    int charset;
    bool italic = false;
    bool underline = false;
    bool strikeout = false;
};

// One row of a window's control table. Positions and sizes are twips,
// relative to the inside of the container (nullptr: the window's client area).
struct ControlSpec {
    const char *name;
    ControlKind kind;
    const char *container;
    int left, top, width, height;
    int tabIndex;         // -1: takes no focus
    const char *caption;  // UTF-8; nullptr: none
    const FontSpec *font; // nullptr: the default control font
    const char *toolTip;  // UTF-8; nullptr: none
    MousePointer pointer;
};

// What assistive technology says of one control, where its table row does
// not say it: a control's caption is its name and its tooltip its
// description unless a row here gives another.
struct AccessibleText {
    const char *control;
    const char *name;        // UTF-8; nullptr: the caption
    const char *description; // UTF-8; nullptr: the tooltip
};

struct FormSpec {
    const char *caption; // UTF-8
    int clientWidth;     // twips
    int clientHeight;    // twips
    bool minButton;
    bool maxButton;
    std::span<const ControlSpec> controls;
    std::span<const AccessibleText> accessibleTexts = {};
};

QFont fontFrom(const FontSpec &stored);
QCursor cursorFor(MousePointer pointer);

// The program icon, from the program's resources.
QIcon programIcon();
// Its one image, 100 × 150 pixels.
QImage programIconImage();

class Form : public QObject {
    Q_OBJECT
public:
    explicit Form(const FormSpec &layout, QObject *parent = nullptr);
    ~Form() override;

    // Loads the window if it is not loaded (its Form_Load runs), then shows
    // it modeless, without an owner, centred on the screen at its load.
    void Show();
    void Load();
    bool isLoaded() const { return !window_.isNull(); }

    // The window's client area, null while the window is not loaded.
    QWidget *window() const { return window_.data(); }
    // The top-level window: the client area itself, or the frame a skin
    // has put around it.
    QWidget *topLevel() const;
    // The window's handle; raises a runtime error while it is not loaded.
    HWND hWnd() const;
    const FormSpec &layout() const { return layout_; }

    QWidget *control(const char *name) const;
    template <class T> T *control(const char *name) const {
        return qobject_cast<T *>(control(name));
    }

    // The controls that take the focus, in tab-index order.
    QList<QWidget *> tabOrder() const;

signals:
    void loaded();
    void unloaded();

protected:
    // Connects a control's event to a handler. Handlers are entered through
    // invokeHandler, so a runtime error in one is reported, not fatal.
    template <class Sender, class Signal, class Handler>
    void on(Sender *sender, Signal signal, Handler handler) {
        connect(sender, signal, this, [handler] { invokeHandler(handler); });
    }

    virtual void Form_Load() {}
    // Sets what the window stores beyond its control table (a picture, a
    // colour), once the controls are made and before Form_Load.
    virtual void setStoredProperties() {}
    // Gives controls the accessible names and descriptions that are made at
    // run time, once the table's own are set.
    virtual void describeControls() {}
    // Connects the handlers of the controls just created.
    virtual void connectHandlers() {}
    // Creates a control of kind Custom; the base creates the standard kinds.
    virtual QWidget *createCustomControl(const ControlSpec &row, QWidget *container);

private:
    void createControls();
    void describeFromTable();
    void centre();

    const FormSpec &layout_;
    QPointer<QWidget> window_;
};

} // namespace platform
