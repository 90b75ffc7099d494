#include "ui/Accessibility.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleActionInterface>

namespace olv {

namespace {

// Set while Qt's own interface for a view is being made, so that the factory below steps aside.
thread_local bool makingQtInterface = false;

// Qt's interface for an item view with the set-focus action added. Everything else (lines,
// cells, selection, table) stays Qt's, which this interface passes every call on to.
class FocusableView : public QAccessibleInterface, public QAccessibleActionInterface
{
public:
    FocusableView(QAbstractItemView* view, QAccessibleInterface* qtInterface)
        : m_view(view)
        , m_qt(qtInterface)
        , m_qtId(QAccessible::uniqueId(qtInterface))
    { }

    // Qt's interface lives in the accessibility cache too; it goes with this one.
    ~FocusableView() override { QAccessible::deleteAccessibleInterface(m_qtId); }

    bool isValid() const override { return m_view && m_qt->isValid(); }
    QObject* object() const override { return m_view; }
    QWindow* window() const override { return m_qt->window(); }
    QList<QPair<QAccessibleInterface*, QAccessible::Relation>> relations(QAccessible::Relation match) const override
    {
        return m_qt->relations(match);
    }
    QAccessibleInterface* focusChild() const override { return m_qt->focusChild(); }
    QAccessibleInterface* childAt(int x, int y) const override { return m_qt->childAt(x, y); }
    QAccessibleInterface* parent() const override { return m_qt->parent(); }
    QAccessibleInterface* child(int index) const override { return m_qt->child(index); }
    int childCount() const override { return m_qt->childCount(); }
    int indexOfChild(const QAccessibleInterface* child) const override { return m_qt->indexOfChild(child); }
    QString text(QAccessible::Text t) const override { return m_qt->text(t); }
    void setText(QAccessible::Text t, const QString& text) override { m_qt->setText(t, text); }
    QRect rect() const override { return m_qt->rect(); }
    QAccessible::Role role() const override { return m_qt->role(); }
    QAccessible::State state() const override { return m_qt->state(); }
    QColor foregroundColor() const override { return m_qt->foregroundColor(); }
    QColor backgroundColor() const override { return m_qt->backgroundColor(); }
    void virtual_hook(int id, void* data) override { m_qt->virtual_hook(id, data); }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ActionInterface)
            return static_cast<QAccessibleActionInterface*>(this);
        return m_qt->interface_cast(type);
    }

    QStringList actionNames() const override { return { setFocusAction() }; }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }
    void doAction(const QString& name) override
    {
        if (name == setFocusAction() && m_view)
            m_view->setFocus(Qt::OtherFocusReason);
    }

private:
    QPointer<QAbstractItemView> m_view;
    QAccessibleInterface* m_qt;
    QAccessible::Id m_qtId;
};

// Qt asks the factories installed last first, for each class of an object from the most derived
// on, so this one answers at once, with the interface Qt makes for the view inside.
QAccessibleInterface* focusableViewFactory(const QString&, QObject* object)
{
    auto* view = qobject_cast<QAbstractItemView*>(object);
    if (makingQtInterface || !view)
        return nullptr;
    makingQtInterface = true;
    QAccessibleInterface* qtInterface = QAccessible::queryAccessibleInterface(view);
    makingQtInterface = false;
    return qtInterface ? new FocusableView(view, qtInterface) : nullptr;
}

} // namespace

void installViewFocusAction()
{
    static bool installed = false;
    if (!installed)
        QAccessible::installFactory(focusableViewFactory);
    installed = true;
}

} // namespace olv
