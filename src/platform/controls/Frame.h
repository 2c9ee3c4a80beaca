#pragma once

#include "platform/controls/PictureBox.h"

namespace tessaro {

/// A frame: a borderless container grouping other controls, with its own background colour.
class Frame : public PictureBox {
    Q_OBJECT

public:
    explicit Frame(const QString& name, QWidget* parent) : PictureBox(name, parent) {}
};

} // namespace tessaro
