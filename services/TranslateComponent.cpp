// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "services/TranslateComponent.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QSet>

#include "services/Translation.h"

namespace dravemo {
namespace {

// Writes a text back only when translation changed it, so that untouched widgets are left
// alone.
template <typename Set>
void Retranslate(const QString& text, const QString& language, Set&& set) {
    const QString translated = TranslateText(text, language);
    if (translated != text) set(translated);
}

// The items of a combo box; the selected one stays selected.
void TranslateItems(QComboBox& combo) {
    const int selected = combo.currentIndex();
    for (int i = 0; i < combo.count(); ++i) {
        Retranslate(combo.itemText(i), {}, [&](const QString& t) { combo.setItemText(i, t); });
    }
    if (combo.currentIndex() != selected) combo.setCurrentIndex(selected);
}

// Every item of a menu or menu bar and, recursively, of its sub-menus, whoever owns them.
void TranslateMenuItems(const QWidget& menu, QSet<const QWidget*>& visited) {
    if (visited.contains(&menu)) return;
    visited.insert(&menu);
    for (QAction* action : menu.actions()) {
        Retranslate(action->text(), {}, [&](const QString& t) { action->setText(t); });
        if (const QMenu* sub = action->menu()) TranslateMenuItems(*sub, visited);
    }
}

// The caption of one object. A top-level window takes the English title while the interface
// is Korean, so that window titles never show the Korean text.
void TranslateCaption(QObject& object) {
    if (auto* widget = qobject_cast<QWidget*>(&object);
        widget && widget->isWindow() && !qobject_cast<QMenu*>(widget)) {
        const QString language = CurrentLanguage() == u"ko" ? QStringLiteral("en") : QString();
        Retranslate(widget->windowTitle(), language,
                    [&](const QString& t) { widget->setWindowTitle(t); });
    }
    if (auto* label = qobject_cast<QLabel*>(&object)) {
        Retranslate(label->text(), {}, [&](const QString& t) { label->setText(t); });
    } else if (auto* button = qobject_cast<QAbstractButton*>(&object)) {
        Retranslate(button->text(), {}, [&](const QString& t) { button->setText(t); });
    } else if (auto* group = qobject_cast<QGroupBox*>(&object)) {
        Retranslate(group->title(), {}, [&](const QString& t) { group->setTitle(t); });
    } else if (auto* menu = qobject_cast<QMenu*>(&object)) {
        Retranslate(menu->title(), {}, [&](const QString& t) { menu->setTitle(t); });
    } else if (auto* action = qobject_cast<QAction*>(&object)) {
        Retranslate(action->text(), {}, [&](const QString& t) { action->setText(t); });
    }
}

void TranslateTree(QObject& object) {
    if (auto* combo = qobject_cast<QComboBox*>(&object)) {
        TranslateItems(*combo);
        return;
    }
    if (qobject_cast<QMenu*>(&object) || qobject_cast<QMenuBar*>(&object)) {
        QSet<const QWidget*> visited;
        TranslateMenuItems(static_cast<const QWidget&>(object), visited);
    }
    TranslateCaption(object);
    // Guarded copies: a widget may replace internal children while its text changes.
    QList<QPointer<QObject>> children;
    for (QObject* child : object.children()) children << child;
    for (const QPointer<QObject>& child : children) {
        if (child) TranslateTree(*child);
    }
}

}  // namespace

void TranslateComponent(QObject* component, const QString& language) {
    if (!language.isEmpty()) SetCurrentLanguage(language);
    if (component) TranslateTree(*component);
}

}  // namespace dravemo
