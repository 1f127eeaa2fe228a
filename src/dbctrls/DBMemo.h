#pragma once
// A multi-line text bound to a memo field, with a vertical scroll bar. Behaves like TDBEdit:
// typing starts the edit state, the text is written when the memo is left and before a post.
//
// A value too long to lay out quickly (more than kMaxEditableLength characters, or a line of
// more than kMaxEditableLine) is shown read-only: a note, then its beginning followed by "…".
// The stored value stays as it is, since nothing is written back unless the user edited it.
#include "FieldDataLink.h"

#include <QPlainTextEdit>

namespace engine {
class DataSource;
}

namespace dbctrls {

class TDBMemo : public QPlainTextEdit {
    Q_OBJECT
    Q_PROPERTY(QString Hint READ toolTip WRITE setToolTip)
public:
    explicit TDBMemo(QWidget* parent = nullptr);

    void setDataSource(engine::DataSource* source);
    engine::DataSource* dataSource() const { return link_.dataSource(); }
    void setDataField(const QString& name);
    const QString& dataField() const { return link_.fieldName(); }

    bool isModified() const { return link_.isModified(); }
    void updateRecord() { link_.updateRecord(); }

    /// Longest value shown whole and editable.
    static constexpr int kMaxEditableLength = 4 * 1024 * 1024;
    /// Longest line (characters between line breaks) of a value shown whole and editable.
    static constexpr int kMaxEditableLine = 16 * 1024;
    /// Characters of a longer value shown after the note.
    static constexpr int kShownPrefixLength = 8 * 1024;
    /// True while the field's value is too long and shown cut, read-only.
    bool isShownCut() const { return shownCut_; }
    /// The note above a value shown cut; "%1" is its length in characters.
    void setLongValueNote(const QString& note) { note_ = note; }

signals:
    /// The memo was left, after its pending text was written.
    void exited();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void showField();
    void showCut(const QString& value);
    void writeField();

    TFieldDataLink link_;
    bool showing_ = false;
    bool shownCut_ = false;
    bool readOnlyBeforeCut_ = false;
    QString note_;
};

} // namespace dbctrls
