#pragma once

#include <QAbstractButton>
#include <QPixmap>

namespace olv {

// A picture that is a real button: a click, Space while it has the focus, and the press
// action of assistive technology all emit clicked(). It draws only its picture, plus a focus
// frame while it holds the keyboard focus, which only Tab gives it. `caption` is what a
// screen reader says.
class PictureButton : public QAbstractButton
{
    Q_OBJECT
public:
    PictureButton(const QPixmap& picture, const QString& caption, QWidget* parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_picture;
};

} // namespace olv
