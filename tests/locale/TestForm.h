#pragma once
// A small window built like the program's windows: Qt widgets, a few widgets of our own that
// declare the list properties, and a form localizer set up while the window is "loading".
#include "locale/TQFormLocalizer.h"

#include <QAbstractListModel>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QWidget>

namespace locale_test {

/// Stands in for our radio group, data grid and navigator.
class ListHolder : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QStringList Items MEMBER items)
    Q_PROPERTY(QStringList Values MEMBER values)
    Q_PROPERTY(QStringList Hints MEMBER hints)
    Q_PROPERTY(QStringList Columns MEMBER columns)
public:
    using QWidget::QWidget;
    QStringList items, values, hints, columns;
};

/// Rows of data that the list cannot remove, as a list over a table.
class RecordRows : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;
    QStringList rows;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override { return parent.isValid() ? 0 : int(rows.size()); }
    QVariant data(const QModelIndex& index, int role) const override
    {
        return role == Qt::DisplayRole && index.row() < rows.size() ? QVariant(rows.at(index.row())) : QVariant();
    }
    void add(const QString& row)
    {
        beginInsertRows(QModelIndex(), int(rows.size()), int(rows.size()));
        rows.append(row);
        endInsertRows();
    }
};

/// A list whose rows are records: it says so, and its Items are then no text to translate.
class RecordList : public QComboBox {
    Q_OBJECT
    Q_CLASSINFO("NotTranslated", "Items")
public:
    using QComboBox::QComboBox;
};

/// A widget of ours declaring list properties, one of which holds data (also for subclasses).
class DataHolder : public ListHolder {
    Q_OBJECT
    Q_CLASSINFO("NotTranslated", "Values, Items")
public:
    using ListHolder::ListHolder;
};
class DerivedDataHolder : public DataHolder {
    Q_OBJECT
public:
    using DataHolder::DataHolder;
};

/// A button of our own whose declared Caption wins over the button text.
class CaptionButton : public QPushButton {
    Q_OBJECT
    Q_PROPERTY(QString Caption MEMBER caption)
public:
    using QPushButton::QPushButton;
    QString caption;
};

/// Object-valued and collection properties, for key paths.
class PanelHost : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QList<QObject*> Panels READ panels)
    Q_PROPERTY(QObject* Title READ title)
    Q_PROPERTY(int Count MEMBER count)
public:
    using QWidget::QWidget;
    QList<QObject*> panels() const { return panelList; }
    QObject* title() const { return titleObject; }
    QList<QObject*> panelList;
    QObject* titleObject = nullptr;
    int count = 0;
};

class TestForm : public QWidget {
    Q_OBJECT
public:
    static QStringList propNames() { return {"Caption", "Hint", "Items", "Values", "Hints", "Columns"}; }
    static QStringList designColumns();
    static QStringList designHints();

    explicit TestForm(locale::TQCustomLanguageSource* source, const QStringList& names = propNames());

    locale::TQFormLocalizer* QFormLocalizer1;
    QPushButton* Button1;
    QPushButton* Button2;
    QWidget* Panel1;
    QLabel* Label1;
    QGroupBox* GroupBox1;
    QComboBox* ComboBox1;
    ListHolder* RadioGroup1;
    ListHolder* DBGrid1;
    ListHolder* DBNavigator1;
    QMenu* Filer1;
    QAction* Afslut1;
    CaptionButton* OwnButton1;

private:
    template <typename T> T* add(QWidget* parent, const char* name);
};

} // namespace locale_test
