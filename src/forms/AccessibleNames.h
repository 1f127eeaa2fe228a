#pragma once
// The names a screen reader says for controls that no label names through its buddy: a list
// beside the edit that carries the label, an edit named by its group box, a grid by its window,
// a "..." button by its hint. Taken again after every language change, as the texts they come
// from change then. User-interface thread only; the widgets are not owned.
#include <QPointer>
#include <QWidget>
#include <utility>
#include <vector>

namespace forms {

class AccessibleNames {
public:
    /// Names control after source: a label's text, a group box's title, a window's title, a
    /// button's hint (its caption when it has no hint), another control's hint.
    void add(QWidget* control, const QWidget* source);
    /// Gives each control its source's present text.
    void apply() const;

private:
    std::vector<std::pair<QPointer<QWidget>, QPointer<const QWidget>>> names_;
};

/// The text a screen reader says for source as a name (mnemonic marks and trailing blanks or
/// colons dropped).
QString nameText(const QWidget* source);

} // namespace forms
