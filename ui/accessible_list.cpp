#include "accessible_list.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>

namespace yorvane {

namespace {

class NamedList final : public QAccessibleWidget {
public:
    explicit NamedList(QComboBox* list) : QAccessibleWidget(list, QAccessible::ComboBox) {}

    QString text(QAccessible::Text t) const override {
        // A list without a name of its own is named by its value, as Qt names it.
        if (t == QAccessible::Name && !list()->accessibleName().isEmpty())
            return list()->accessibleName();
        if (t == QAccessible::Name) return list()->currentText();
        if (t == QAccessible::Value) return list()->currentText();
        return QAccessibleWidget::text(t);
    }
    // The list of entries, as the reader walks into it.
    int childCount() const override { return 1; }
    QAccessibleInterface* child(int index) const override {
        return index == 0 ? QAccessible::queryAccessibleInterface(list()->view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child && child->object() == list()->view() ? 0 : -1;
    }
    QStringList actionNames() const override { return {showMenuAction()}; }
    void doAction(const QString& action) override {
        if (action == showMenuAction()) list()->showPopup();
    }

private:
    QComboBox* list() const { return static_cast<QComboBox*>(widget()); }
};

QAccessibleInterface* namedListFactory(const QString& className, QObject* object) {
    auto* list = qobject_cast<QComboBox*>(object);
    // Decided when the list is first asked for, which may be before its name is set.
    if (className != QLatin1String("QComboBox") || !list) return nullptr;
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
