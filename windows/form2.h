// SPDX-License-Identifier: GPL-3.0-or-later
// The About window: the program's picture, which opens the author's page,
// beside a frame of labels with the program's title, credits, date and
// contact address.
#pragma once

#include "platform/form.h"

namespace windows {

class Form2 : public platform::Form {
    Q_OBJECT
public:
    explicit Form2(QObject *parent = nullptr);

    // Opens the author's personal page in the browser.
    void Pictuer1_Click();

protected:
    void Form_Load() override;
    void connectHandlers() override;
    void setStoredProperties() override;
    QWidget *createCustomControl(const platform::ControlSpec &row, QWidget *container) override;
};

} // namespace windows
