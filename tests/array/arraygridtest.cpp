// The string member's buffer, the grid model over it and the clipboard commands on it, without
// widgets: redimensioning keeps values with their indices, cells read and refuse texts in the
// view, and copy, clear and paste work on rectangles with the paste rules.
#include "columns.h"

#include "arrayclipboard_p.h"
#include "arraygridmodel_p.h"
#include "stringgridbuffer_p.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

using namespace Velt;

namespace {

ArrayShape rows(int lower, int upper)
{
    ArrayShape shape;
    shape.spans[0] = {int16_t(lower), int16_t(upper)};
    return shape;
}

// A buffer with the given values from index `first` on.
void fill(StringGridBuffer& buffer, int first, const QStringList& values)
{
    buffer.redimension(rows(first, first + int(values.size()) - 1));
    for (int i = 0; i < values.size(); ++i)
        buffer.setCharacters(first + i, values.at(i));
}

// "index=value" of every element.
QStringList contents(const StringGridBuffer& buffer)
{
    QStringList out;
    for (int i = buffer.lower(0); i <= buffer.upper(0); ++i)
        out << QString::number(i) + u'=' + buffer.characters(i);
    return out;
}

// A two-dimensional buffer for the clipboard's rectangles: cell (r, c) holds "rc".
class GridBuffer : public ArrayBuffer
{
public:
    GridBuffer(int rows, int columns) : m_rows(rows), m_columns(columns)
    {
        for (int i = 0; i < rows * columns; ++i)
            m_cells << QString::number(i / columns) + QString::number(i % columns);
    }
    ArrayShape shape() const override
    {
        ArrayShape shape;
        shape.dimensions = 2;
        shape.spans[0] = {0, int16_t(m_rows - 1)};
        shape.spans[1] = {0, int16_t(m_columns - 1)};
        return shape;
    }
    QString cellText(const ArrayCell& cell) const override { return m_cells.at(cell.row * m_columns + cell.column); }
    QString checkCellText(const ArrayCell&, const QString& text) const override { return text.contains(u'!') ? QStringLiteral("bad ") + text : QString(); }
    QString setCellText(const ArrayCell& cell, const QString& text) override
    {
        const QString error = checkCellText(cell, text);
        if (error.isEmpty())
            m_cells[cell.row * m_columns + cell.column] = text;
        return error;
    }
    void clearCell(const ArrayCell& cell) override { m_cells[cell.row * m_columns + cell.column] = QStringLiteral("0"); }
    QString redimension(const ArrayShape&) override { return QStringLiteral("fixed"); }

    // The grid as lines of cells joined by '|'.
    QStringList lines() const
    {
        QStringList out;
        for (int r = 0; r < m_rows; ++r)
            out << m_cells.mid(r * m_columns, m_columns).join(u'|');
        return out;
    }

private:
    int m_rows;
    int m_columns;
    QStringList m_cells;
};

} // namespace

Q_DECLARE_METATYPE(Velt::CellRect)

class ArrayGridTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // From 1..3 holding a, b, c, redimensioned to each lower..upper pair in turn.
    void redimensionKeepsValuesWithTheirIndices_data()
    {
        VeltTest::columns<QList<int>, QStringList>({"bounds", "expected"});
        QTest::newRow("lower 1 -> -1") << QList<int>{-1, 3} << QStringList{"-1=", "0=", "1=a", "2=b", "3=c"};
        QTest::newRow("upper 3 -> 5") << QList<int>{1, 5} << QStringList{"1=a", "2=b", "3=c", "4=", "5="};
        QTest::newRow("lower 1 -> 2 drops the first") << QList<int>{2, 3} << QStringList{"2=b", "3=c"};
        QTest::newRow("upper 3 -> 1") << QList<int>{1, 1} << QStringList{"1=a"};
        QTest::newRow("moved past the old bounds") << QList<int>{10, 11} << QStringList{"10=", "11="};
        QTest::newRow("dropped values come back empty") << QList<int>{2, 2, -1, 2} << QStringList{"-1=", "0=", "1=", "2=b"};
    }
    void redimensionKeepsValuesWithTheirIndices()
    {
        QFETCH(QList<int>, bounds);
        StringGridBuffer buffer;
        fill(buffer, 1, {"a", "b", "c"});
        for (qsizetype i = 0; i + 1 < bounds.size(); i += 2)
            QCOMPARE(buffer.redimension(rows(bounds.at(i), bounds.at(i + 1))), QString());
        QTEST(contents(buffer), "expected");
    }

    void cellsInTheView_data()
    {
        VeltTest::columns<QString, QString, QString, QString>({"view", "typed", "characters", "error"});
        QTest::newRow("characters as typed") << "Characters" << " 101 " << " 101 " << "";
        QTest::newRow("octal") << "Octal" << "101 102" << "AB" << "";
        QTest::newRow("octal empty") << "Octal" << "  " << "" << "";
        QTest::newRow("octal digit 8") << "Octal" << "101 8" << "keep" << "Error: Invalid character found '8'";
        QTest::newRow("hex lower case") << "Hexadecimal" << "41 6a" << "Aj" << "";
    }
    void cellsInTheView()
    {
        QFETCH(QString, view);
        QFETCH(QString, typed);
        StringGridBuffer buffer;
        fill(buffer, 0, {"keep"});
        buffer.setView(view);
        const QString checked = buffer.checkCellText({0, 0, 0}, typed);
        QCOMPARE(buffer.setCellText({0, 0, 0}, typed), checked);
        QTEST(checked, "error");
        QTEST(buffer.characters(0), "characters");
    }

    void modelEditsAndReloads()
    {
        StringGridBuffer buffer;
        fill(buffer, 1, {"a", "b"});
        buffer.setView(QStringLiteral("Octal"));
        ArrayGridModel model(&buffer);
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy rejected(&model, &ArrayGridModel::cellRejected);
        QSignalSpy edited(&model, &ArrayGridModel::cellEdited);
        QVERIFY(!model.setData(model.index(1, 0), QStringLiteral("9")));
        QCOMPARE(rejected.size() == 1 ? rejected.first().first().toString() : QString(), QStringLiteral("Error: Invalid character found '9'"));
        QVERIFY(model.setData(model.index(1, 0), QStringLiteral("103")));
        QCOMPARE(buffer.characters(2) + QString::number(edited.size()), QStringLiteral("C1"));

        buffer.redimension(rows(-1, 2));
        model.reload();
        QCOMPARE(QStringList({QString::number(model.rowCount()), QString::number(model.cellAt(model.index(3, 0)).row), QString::number(model.indexOf({0, 0, 0}).row()),
                              model.headerData(0, Qt::Vertical).toString(), model.index(2, 0).data().toString()}),
                 QStringList({"4", "2", "1", "-1", "141"}));

        QStringList headers;
        for (const char* view : {"Characters", "Hexadecimal", "Octal"}) {
            buffer.setView(QString::fromLatin1(view));
            headers << model.headerData(0, Qt::Horizontal).toString();
        }
        QCOMPARE(headers, QStringList({"String value", "String value (Hexadecimal)", "String value (Octal)"}));

        model.setReadOnly(true);
        QVERIFY(!(model.flags(model.index(0, 0)) & Qt::ItemIsEditable) && !model.setData(model.index(0, 0), QStringLiteral("101")) && buffer.characters(-1).isEmpty());
    }

    void copyAndClear_data()
    {
        VeltTest::columns<CellRect, QString, QStringList>({"rect", "copied", "cleared"});
        QTest::newRow("one cell") << CellRect{1, 1, 1, 1} << "11" << QStringList{"00|01|02", "10|0|12", "20|21|22"};
        QTest::newRow("block") << CellRect::spanning(2, 2, 1, 0) << "10\t11\t12\n20\t21\t22" << QStringList{"00|01|02", "0|0|0", "0|0|0"};
        QTest::newRow("column") << CellRect{0, 2, 2, 2} << "02\n12\n22" << QStringList{"00|01|0", "10|11|0", "20|21|0"};
    }
    void copyAndClear()
    {
        QFETCH(CellRect, rect);
        GridBuffer grid(3, 3);
        ArrayClipboard clipboard(grid);
        QTEST(clipboard.copyText(rect), "copied");
        clipboard.clear(rect);
        QTEST(grid.lines(), "cleared");
    }

    void paste_data()
    {
        VeltTest::columns<CellRect, QString, QStringList, CellRect, bool>({"selection", "text", "grid", "pasted", "more"});
        const QStringList untouched{"00|01|02", "10|11|12", "20|21|22", "30|31|32"};
        QTest::newRow("single cell widens to the end") << CellRect{1, 1, 1, 1} << "a\tb\nc\td" << QStringList{"00|01|02", "10|a|b", "20|c|d", "30|31|32"} << CellRect{1, 1, 2, 2} << false;
        QTest::newRow("three lines into one cell two rows above the end") << CellRect{2, 0, 2, 0} << "x\ny\nz" << QStringList{"00|01|02", "10|11|12", "x|21|22", "y|31|32"} << CellRect{2, 0, 3, 0} << true;
        QTest::newRow("surplus cells of a row are skipped") << CellRect{0, 0, 1, 1} << "a\tb\tc\nd\te\tf" << QStringList{"a|b|02", "d|e|12", "20|21|22", "30|31|32"} << CellRect{0, 0, 1, 1} << false;
        QTest::newRow("short row leaves the rest") << CellRect{0, 0, 1, 2} << "a\nb\tc\td\r\n" << QStringList{"a|01|02", "b|c|d", "20|21|22", "30|31|32"} << CellRect{0, 0, 1, 2} << false;
        QTest::newRow("more rows than selected") << CellRect{0, 0, 1, 0} << "a\nb\nc" << QStringList{"a|01|02", "b|11|12", "20|21|22", "30|31|32"} << CellRect{0, 0, 1, 0} << true;
        QTest::newRow("a bad cell changes nothing") << CellRect{0, 0, 0, 0} << "a\tb\nc!\td" << untouched << CellRect{0, 0, -1, -1} << false;
        QTest::newRow("empty clipboard") << CellRect{0, 0, 0, 0} << "" << untouched << CellRect{0, 0, -1, -1} << false;
    }
    void paste()
    {
        QFETCH(CellRect, selection);
        QFETCH(QString, text);
        GridBuffer grid(4, 3);
        ArrayClipboard clipboard(grid);
        clipboard.setPasteErrorText([](const QString& error) { return QStringLiteral("Cannot paste - ") + error; });
        const ArrayClipboard::PasteResult dry = clipboard.paste(selection, text, true);
        QVERIFY(grid.lines() == GridBuffer(4, 3).lines()); // a dry run writes nothing
        const bool bad = text.contains(u'!');
        QCOMPARE(dry.error, bad ? QStringLiteral("Cannot paste - bad c!") : QString());
        const ArrayClipboard::PasteResult done = bad ? dry : clipboard.paste(selection, text, false);
        QTEST(grid.lines(), "grid");
        if (!bad) {
            QTEST(done.pasted, "pasted");
            QTEST(done.moreOnClipboard, "more");
            QCOMPARE(done.pasted, dry.pasted);
        }
    }
};

QTEST_GUILESS_MAIN(ArrayGridTest)
#include "arraygridtest.moc"
