#pragma once

#include <QDialog>

class QLineEdit;

namespace olv {

// Asks for the exam number of the paper to look at: digits only, "确定" (Enter) accepts and
// "取消" (Escape) rejects.
class ReviewLoginDialog : public QDialog
{
    Q_OBJECT
public:
    explicit ReviewLoginDialog(QWidget* parent = nullptr);

    QString examNumber() const;

private:
    QLineEdit* m_examNumber;
};

} // namespace olv
