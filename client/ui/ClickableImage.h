#pragma once

#include <QLabel>

namespace olv {

// A picture that acts as a button: a left click released over it emits clicked().
class ClickableImage : public QLabel
{
    Q_OBJECT
public:
    explicit ClickableImage(const QPixmap& picture, QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace olv
