#include "numberdisplays.h"

#include <QAccessibleWidget>
#include <QLCDNumber>

namespace {

class NumberDisplay : public QAccessibleWidget, public QAccessibleValueInterface
{
public:
    explicit NumberDisplay(QLCDNumber *display)
        : QAccessibleWidget(display, QAccessible::StaticText)
    {
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text type) const override
    {
        if (type == QAccessible::Value)
            return QString::number(display()->value());
        return QAccessibleWidget::text(type);
    }

    QVariant currentValue() const override { return display()->value(); }
    // The program shows numbers; nobody sets them from outside.
    void setCurrentValue(const QVariant &) override {}
    QVariant maximumValue() const override { return {}; }
    QVariant minimumValue() const override { return {}; }
    QVariant minimumStepSize() const override { return {}; }

private:
    QLCDNumber *display() const { return static_cast<QLCDNumber *>(widget()); }
};

QAccessibleInterface *numberDisplayInterface(const QString &className, QObject *object)
{
    if (className == QLatin1String("QLCDNumber"))
        return new NumberDisplay(static_cast<QLCDNumber *>(object));
    return nullptr;
}

} // namespace

void installNumberDisplayAccessibility()
{
    QAccessible::installFactory(numberDisplayInterface);
}
