#include "accessible_list.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>

namespace yorvane {

namespace {

// The list's purpose and its chosen entry: 「元号 昭和」. A list without a name of its own is
// named by its entry alone, as Qt names it.
QString spokenName(const QComboBox* list) {
    const QString purpose = list->accessibleName();
    const QString chosen = list->currentText();
    if (purpose.isEmpty() || chosen.isEmpty()) return purpose.isEmpty() ? chosen : purpose;
    return purpose + u' ' + chosen;
}

// A screen reader speaks a closed drop-down list again only when its value changes: the
// position of the chosen entry serves as that value, and the name says which entry it is.
class NamedList final : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit NamedList(QComboBox* list) : QAccessibleWidget(list, QAccessible::ComboBox) {}

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return spokenName(list());
        if (t == QAccessible::Value) return list()->currentText();
        return QAccessibleWidget::text(t);
    }
    // A reader that finds a label for a list says the label instead of the name (「干支(E)」 for
    // 「干支で絞り込み 丑」), so the chosen entry would go unheard: the name says what the list is
    // for already, and the label stays a label of its own.
    QList<QPair<QAccessibleInterface*, QAccessible::Relation>> relations(
        QAccessible::Relation match) const override {
        return QAccessibleWidget::relations(QAccessible::Relation(match & ~QAccessible::Label));
    }
    QVariant currentValue() const override { return list()->currentIndex(); }
    void setCurrentValue(const QVariant& value) override { list()->setCurrentIndex(value.toInt()); }
    QVariant maximumValue() const override { return list()->count() - 1; }
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return 1; }

    // The list of entries, as the reader walks into it.
    int childCount() const override { return 1; }
    QAccessibleInterface* child(int index) const override {
        return index == 0 ? QAccessible::queryAccessibleInterface(list()->view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child && child->object() == list()->view() ? 0 : -1;
    }
    // Opening the entries, and the focus a reader may move to it as to any control.
    QStringList actionNames() const override {
        return QAccessibleWidget::actionNames() << showMenuAction();
    }
    void doAction(const QString& action) override {
        if (action == showMenuAction())
            list()->showPopup();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    QComboBox* list() const { return static_cast<QComboBox*>(widget()); }
};

QAccessibleInterface* namedListFactory(const QString& className, QObject* object) {
    auto* list = qobject_cast<QComboBox*>(object);
    // Decided when the list is first asked for, which may be before its name is set.
    if (className != QLatin1String("QComboBox") || !list) return nullptr;
    // Readers keep a name until they are told it changed; the list itself then reports the
    // new value, at which the reader speaks the name.
    QObject::connect(list, &QComboBox::currentIndexChanged, list, [list] {
        QAccessibleEvent renamed(list, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&renamed);
    });
    return new NamedList(list);
}

}  // namespace

void nameListsByTheirPurpose() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    QAccessible::installFactory(namedListFactory);
}

}  // namespace yorvane
