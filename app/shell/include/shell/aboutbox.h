#pragma once

#include "ui/form.h"

class TAboutBox : public ui::Form {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);

protected:
    void buildWidgets() override;
};

extern TAboutBox* AboutBox;
