#include "tests/ui/form_fixture.h"

#include "toolkit/errors.h"
#include "toolkit/line_buffer.h"
#include "ui/grid_view.h"

#include <QApplication>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

using signova::testing::ScriptedDialogs;

constexpr const char* DefaultTap = "0.0208333333333333";

std::string DataFile(const char* name) {
    return std::string(SIGNOVA_TEST_DATA_DIR "/") + name;
}
std::string ExampleFile(const char* name) {
    return std::string(SIGNOVA_EXAMPLES_DIR "/") + name;
}

// Enter in a cell editor; the delegate commits the text on its next message
// pass.
void CommitEditor(QWidget* editor) {
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
}

// The main window with its two tables, a scripted file dialog and a folder
// for files written by the test.
class TableWindow : public ::testing::Test {
protected:
    ScriptedDialogs dialogs;
    CountingForm form{dialogs};
    signova::SimulatorState& state = form.State();
    QTemporaryDir folder;

    QString Label(const char* name) { return form.Control<QLabel>(name)->text(); }
    GridView* Grid(const char* name) { return form.Control<GridView>(name); }
    int ShownRows(const char* grid) { return Grid(grid)->model()->rowCount(); }
    void Click(const char* button) { form.Control<QPushButton>(button)->click(); }
    bool Running() {
        return !form.Control<QLabel>("RunLabel")->isHidden() &&
               form.Control<QTimer>("Timer1")->isActive();
    }
    // Column `column` of the table, rows 0 to rows - 1.
    static std::vector<std::string> Column(const signova::CellStore& cells, int column, int rows) {
        std::vector<std::string> texts;
        for (int row = 0; row < rows; ++row)
            texts.push_back(cells.Cell(column, row));
        return texts;
    }
    std::string WriteFile(const char* name, std::string_view bytes) {
        const std::string path = folder.filePath(QString::fromLatin1(name)).toStdString();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    void LoadFir(const std::string& path) {
        dialogs.files.push_back(path);
        Click("LoadFIR");
    }
    void LoadIir(const std::string& path) {
        dialogs.files.push_back(path);
        Click("LoadIIR");
    }
    void ExpectDefaultFirTable() {
        EXPECT_EQ(form.FirCells().RowCount(), 200);
        EXPECT_EQ(ShownRows("FIRgrid"), 200);
        EXPECT_EQ(form.FirCells().Cell(0, 0), "h0");
        EXPECT_EQ(form.FirCells().Cell(1, 0), DefaultTap);
        EXPECT_EQ(form.FirCells().Cell(1, 47), DefaultTap);
        EXPECT_EQ(form.FirCells().Cell(1, 48), "");
        EXPECT_EQ(state.FirLastTap, 47);
        EXPECT_EQ(Label("FIRLabel"), "");
    }
    void ExpectDefaultIirTable() {
        EXPECT_EQ(form.IirCells().RowCount(), 2);
        EXPECT_EQ(ShownRows("IIRGrid"), 2);
        EXPECT_EQ(Column(form.IirCells(), 2, 2), (std::vector<std::string>{"b", "1"}));
        EXPECT_EQ(state.IirOrder, 1);
        EXPECT_EQ(Label("IIRLabel"), "");
    }
    void ExpectFourTapTable() {
        EXPECT_EQ(form.FirCells().RowCount(), 4);
        EXPECT_EQ(ShownRows("FIRgrid"), 4);
        EXPECT_EQ(Column(form.FirCells(), 0, 4),
                  (std::vector<std::string>{"h0", "h1", "h2", "h3"}));
        EXPECT_EQ(Column(form.FirCells(), 1, 6),
                  (std::vector<std::string>{"0.25", "0.25", "0.25   ", "0.25", "", DefaultTap}));
        EXPECT_EQ(Label("FIRLabel"), " Moving average, four taps");
        EXPECT_EQ(state.FirLastTap, 3);
    }
};

// ---- Load FIR --------------------------------------------------------------

using LoadFirButton = TableWindow;

TEST_F(LoadFirButton, FileFillsTheTableLabelAndFilter) {
    LoadFir(DataFile("four_tap_moving_average.txt"));
    EXPECT_TRUE(dialogs.shown.empty());
    ExpectFourTapTable();
    for (int tap = 0; tap < 4; ++tap)
        EXPECT_EQ(state.FirCoefficients[static_cast<std::size_t>(tap)], 0.25);
    EXPECT_EQ(state.FirCoefficients[4], 0.0);
}

TEST_F(LoadFirButton, ClickDuringARunStopsItBeforeAnotherSample) {
    form.ShowPage(FirPage);
    dialogs.files.push_back(DataFile("four_tap_moving_average.txt"));
    form.onSample = [this](int sample) {
        if (sample == 5)
            Click("LoadFIR");
    };
    form.RunSamples(1000);
    EXPECT_EQ(form.samples, 5);
    EXPECT_FALSE(Running());
    EXPECT_EQ(form.RunDepth(), 0);
    ExpectFourTapTable();
}

TEST_F(LoadFirButton, CancelInTheFileDialogStopsTheRunAndChangesNothingElse) {
    form.ShowPage(FirPage);
    form.onSample = [this](int sample) {
        if (sample == 3)
            Click("LoadFIR");
    };
    form.RunSamples(1000);
    EXPECT_EQ(form.samples, 3);
    EXPECT_FALSE(Running());
    EXPECT_TRUE(dialogs.shown.empty());
    ExpectDefaultFirTable();
}

TEST_F(LoadFirButton, FileThatCannotBeOpenedThrowsWhenCalledDirectly) {
    const std::string path = folder.filePath("missing.txt").toStdString();
    dialogs.files.push_back(path);
    try {
        form.LoadFIRClick();
        ADD_FAILURE() << "no error";
    } catch (const signova::FileOpenError& error) {
        EXPECT_EQ(std::string(error.what()), "Cannot open file " + path);
    }
    ExpectDefaultFirTable();
}

TEST_F(LoadFirButton, FileThatCannotBeOpenedIsShownWithAFullStopThroughTheButton) {
    state.LoadError = true;
    const std::string missing = folder.filePath("missing.txt").toStdString();
    const std::string directory = folder.path().toStdString();
    LoadFir(missing);
    LoadFir(directory);
    EXPECT_EQ(dialogs.shown,
              (std::vector<std::string>{"error: Cannot open file " + missing + ".",
                                        "error: Cannot open file " + directory + "."}));
    EXPECT_TRUE(state.LoadError);
    ExpectDefaultFirTable();
}

TEST_F(LoadFirButton, FileOver64MiBIsRefusedUnreadForBothTables) {
    const std::string path = WriteFile("huge.txt", "//SIGNOVA\n0.5\n");
    std::filesystem::resize_file(path, signova::MaxReadableFileSize + 1);
    LoadFir(path);
    LoadIir(path);
    EXPECT_EQ(dialogs.shown, (std::vector<std::string>{"message: File too large: " + path,
                                                       "message: File too large: " + path}));
    ExpectDefaultFirTable();
    ExpectDefaultIirTable();
}

TEST_F(LoadFirButton, RefusedFileLeavesTableAndLabel) {
    LoadFir(DataFile("four_tap_moving_average.txt"));
    dialogs.answers = {signova::DialogResult::No, signova::DialogResult::No};
    LoadFir(DataFile("missing_header.txt"));
    LoadFir(DataFile("type_iir.txt"));
    EXPECT_EQ(dialogs.shown, (std::vector<std::string>{
                                 "confirm: This is no standard SIGNOVA file. Continue?",
                                 "inform: Data not loaded",
                                 "ask: This is no FIR-file. Continue?",
                                 "inform: Data not loaded",
                             }));
    ExpectFourTapTable();
}

TEST_F(LoadFirButton, FileOf301LinesIsRefusedWithTableAndLabelUnchanged) {
    LoadFir(DataFile("four_tap_moving_average.txt"));
    LoadFir(DataFile("fir_301_values.txt"));
    EXPECT_EQ(dialogs.shown,
              std::vector<std::string>{"message: Number of FIR elements must be less then 300"});
    ExpectFourTapTable();
}

TEST_F(LoadFirButton, FileOf300LinesIsTakenWhole) {
    LoadFir(DataFile("fir_300_values.txt"));
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(ShownRows("FIRgrid"), 300);
    EXPECT_EQ(state.FirLastTap, 299);
    EXPECT_EQ(form.FirCells().Cell(0, 299), "h299");
    EXPECT_EQ(form.FirCells().Cell(1, 300), "");
}

TEST_F(LoadFirButton, ValueThatIsNoNumberIsCopiedLabelledAndThrown) {
    const std::string path = WriteFile("bad.txt", "//SIGNOVA\n//TITLE Bad value\n0.5\nabc\n0.25\n");
    dialogs.files.push_back(path);
    try {
        form.LoadFIRClick();
        ADD_FAILURE() << "no error";
    } catch (const signova::ConversionError& error) {
        EXPECT_EQ(std::string(error.what()), "'abc' is not a valid floating point value");
    }
    EXPECT_EQ(Label("FIRLabel"), " Bad value");
    EXPECT_EQ(ShownRows("FIRgrid"), 3);
    EXPECT_EQ(Column(form.FirCells(), 1, 4), (std::vector<std::string>{"0.5", "abc", "0.25", ""}));
    EXPECT_EQ(state.FirCoefficients[0], 0.5);
    EXPECT_EQ(state.FirLastTap, 47);

    LoadFir(path);
    EXPECT_EQ(dialogs.shown,
              std::vector<std::string>{"error: 'abc' is not a valid floating point value."});
}

// ---- Load IIR --------------------------------------------------------------

using LoadIirButton = TableWindow;

TEST_F(LoadIirButton, ExampleFillsTheTableLabelAndFilter) {
    LoadIir(ExampleFile("iir_low_pass_second_order.txt"));
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(ShownRows("IIRGrid"), 4);
    EXPECT_EQ(state.IirOrder, 3);
    EXPECT_EQ(Column(form.IirCells(), 0, 4), (std::vector<std::string>{"", "0", "1", "2"}));
    EXPECT_EQ(Column(form.IirCells(), 1, 4),
              (std::vector<std::string>{"a", "  - - -", "1.81534108270457", "-0.831005589346758"}));
    EXPECT_EQ(Column(form.IirCells(), 2, 4),
              (std::vector<std::string>{"b", "0.00391612666054738", "0.00783225332109477",
                                        "0.00391612666054738"}));
    EXPECT_EQ(Label("IIRLabel"), " Second-order Butterworth low-pass 1 kHz (fs 48 kHz)");
    EXPECT_EQ(state.IirACoefficients[1], 1.81534108270457);
    EXPECT_EQ(state.IirACoefficients[2], -0.831005589346758);
    EXPECT_EQ(state.IirBCoefficients[0], 0.00391612666054738);
    EXPECT_EQ(state.IirBCoefficients[2], 0.00391612666054738);
}

TEST_F(LoadIirButton, ClickDuringARunStopsItBeforeAnotherSample) {
    form.ShowPage(IirPage);
    dialogs.files.push_back(ExampleFile("iir_low_pass_first_order.txt"));
    form.onSample = [this](int sample) {
        if (sample == 7)
            Click("LoadIIR");
    };
    form.RunSamples(1000);
    EXPECT_EQ(form.samples, 7);
    EXPECT_FALSE(Running());
    EXPECT_EQ(state.IirOrder, 2);
}

TEST_F(LoadIirButton, FileOf202LinesIsRefusedWithEverythingUnchanged) {
    LoadIir(ExampleFile("iir_low_pass_second_order.txt"));
    LoadIir(DataFile("iir_202_lines.txt"));
    EXPECT_EQ(dialogs.shown,
              std::vector<std::string>{"message: Number of IIR elements must be less then 100"});
    EXPECT_EQ(ShownRows("IIRGrid"), 4);
    EXPECT_EQ(state.IirOrder, 3);
    EXPECT_EQ(form.IirCells().Cell(1, 2), "1.81534108270457");
    EXPECT_EQ(Label("IIRLabel"), " Second-order Butterworth low-pass 1 kHz (fs 48 kHz)");
}

TEST_F(LoadIirButton, FileWithoutCoefficientsKeepsTheTableAndOrder) {
    LoadIir(DataFile("iir_1_line.txt"));
    EXPECT_EQ(dialogs.shown, std::vector<std::string>{"inform: This is not a proper IIR-file"});
    ExpectDefaultIirTable();
}

TEST_F(LoadIirButton, UnusedACoefficientIsNeverRead) {
    LoadIir(DataFile("iir_a0_not_a_number.txt"));
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_FALSE(state.LoadError);
    EXPECT_EQ(form.IirCells().Cell(1, 1), "  - - -");
    EXPECT_EQ(state.IirOrder, 2);
}

TEST_F(LoadIirButton, ValueThatIsNoNumberIsReportedByRow) {
    LoadIir(WriteFile("bad.txt", "//SIGNOVA\n//TITLE Bad b\n0\n0.5\n0.1\nxyz\n"));
    EXPECT_EQ(dialogs.shown,
              std::vector<std::string>{"message: Error in data for IIR Filter. Row 1"});
    EXPECT_TRUE(state.LoadError);
    EXPECT_EQ(form.IirCells().Cell(2, 2), "xyz");
    EXPECT_EQ(Label("IIRLabel"), " Bad b");
}

// ---- Title label -----------------------------------------------------------

struct TitleCase {
    const char* bytes;
    const char16_t* shown;
};

class TitleLabel : public TableWindow, public ::testing::WithParamInterface<TitleCase> {};

// A title is shown as UTF-8 where its bytes are valid UTF-8, else as Latin-1.
TEST_P(TitleLabel, DecodesTheFileTitle) {
    const std::string title = GetParam().bytes;
    LoadFir(WriteFile("fir.txt", "//SIGNOVA\n//TITLE " + title + "\n0.5\n"));
    LoadIir(WriteFile("iir.txt", "//SIGNOVA\n//TITLE " + title + "\n0\n1\n"));
    EXPECT_TRUE(dialogs.shown.empty());
    const QString expected = QString::fromUtf16(GetParam().shown);
    EXPECT_EQ(Label("FIRLabel"), expected);
    EXPECT_EQ(Label("IIRLabel"), expected);
}

INSTANTIATE_TEST_SUITE_P(Titles, TitleLabel,
                         ::testing::Values(TitleCase{"caf\xC3\xA9", u" caf\u00E9"},
                                           TitleCase{"caf\xE9", u" caf\u00E9"},
                                           TitleCase{"\xC3\xA9\xE9", u" \u00C3\u00A9\u00E9"},
                                           TitleCase{"\xC0\xA9", u" \u00C0\u00A9"},
                                           TitleCase{"plain", u" plain"}));

// ---- Long cells ------------------------------------------------------------

using GridCell = TableWindow;

// Drawing lays out all the text a cell gives it: a long cell gives only what
// a column can show, and its editor the whole text.
TEST_F(GridCell, LongCellShowsItsFirstThousandCharactersAndEditsWhole) {
    const std::string value(5000, '7');
    form.FirCells().SetCell(1, 0, value);
    const QModelIndex cell = Grid("FIRgrid")->model()->index(0, 1);
    EXPECT_EQ(cell.data(Qt::DisplayRole).toString(), QString(1000, QLatin1Char('7')));
    EXPECT_EQ(cell.data(Qt::EditRole).toString(), QString::fromStdString(value));
}

// ---- Cells wider than their column ----------------------------------------

struct NarrowCellCase {
    const char* name;
    const char* grid;
    int column;
    int row;
    const char* text;
    const char* drawnAs;      // the text the cell's picture shows
    const char* oneDigitMore; // for a shortened number: would be cut; else nullptr
};

class NarrowCell : public TableWindow, public ::testing::WithParamInterface<NarrowCellCase> {
protected:
    void SetUp() override {
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    }
    signova::CellStore& Cells(const char* grid) {
        return std::string_view(grid) == "FIRgrid" ? form.FirCells() : form.IirCells();
    }
    static QImage Drawn(GridView* view, const QModelIndex& cell) {
        return view->viewport()->grab(view->visualRect(cell)).toImage();
    }
    // Whether text reaches the cell's last pixel column, which the style
    // keeps clear of any text that fits.
    static bool Cut(const QImage& cell) {
        const int right = cell.width() - 1;
        for (int y = 1; y < cell.height(); ++y)
            if (cell.pixel(right, y) != cell.pixel(right, 0))
                return true;
        return false;
    }
};

// The picture is compared with the style's own drawing of `drawnAs`, as the
// grid drew every cell before: cut where the cell ends, without a mark.
TEST_P(NarrowCell, OnlyANumberWhoseExponentWouldBeCutShowsItWhole) {
    const NarrowCellCase& c = GetParam();
    GridView* view = Grid(c.grid);
    const QModelIndex cell = view->model()->index(c.row, c.column);
    Cells(c.grid).SetCell(c.column, c.row, c.text);
    const QImage drawn = Drawn(view, cell);
    EXPECT_EQ(Cells(c.grid).Cell(c.column, c.row), c.text);
    EXPECT_EQ(cell.data(Qt::EditRole).toString(), QString::fromUtf8(c.text));
    EXPECT_EQ(cell.data(Qt::ToolTipRole).toString(), QString::fromUtf8(c.text));

    view->setItemDelegate(new QStyledItemDelegate(view));
    Cells(c.grid).SetCell(c.column, c.row, c.drawnAs);
    EXPECT_TRUE(drawn == Drawn(view, cell)) << c.drawnAs;
    EXPECT_EQ(Cut(drawn), c.oneDigitMore == nullptr);
    if (c.oneDigitMore != nullptr) {
        Cells(c.grid).SetCell(c.column, c.row, c.oneDigitMore);
        EXPECT_TRUE(Cut(Drawn(view, cell))) << c.oneDigitMore;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Tables, NarrowCell,
    ::testing::Values(
        // The band-pass example's h0, in a value column 90 pixels wide.
        NarrowCellCase{"FirTap", "FIRgrid", 1, 0, "6.78282030788523e-06", "6.7828\u2026e-06",
                       "6.78282\u2026e-06"},
        NarrowCellCase{"FirStartUpTap", "FIRgrid", 1, 1, DefaultTap, DefaultTap, nullptr},
        NarrowCellCase{"FirTextThatIsNoNumber", "FIRgrid", 1, 2, "6.78282030788523e-06 Hz",
                       "6.78282030788523e-06 Hz", nullptr},
        // The IIR columns are 64 pixels wide.
        NarrowCellCase{"IirB", "IIRGrid", 2, 1, "-1.23456789012345E+15", "-1\u2026E+15",
                       "-1.2\u2026E+15"},
        NarrowCellCase{"IirA", "IIRGrid", 1, 1, "0.98765432109876e-3", "0.98\u2026e-3",
                       "0.987\u2026e-3"},
        NarrowCellCase{"IirWithoutExponent", "IIRGrid", 2, 1, "0.123456789012345",
                       "0.123456789012345", nullptr}),
    [](const ::testing::TestParamInfo<NarrowCellCase>& info) { return info.param.name; });

TEST_F(TableWindow, ToolTipShowsACellsWholeTextAsItIs) {
    const QModelIndex cell = Grid("FIRgrid")->model()->index(0, 1);
    form.FirCells().SetCell(1, 0, "<b>0.5</b>");
    QTextDocument shown;
    shown.setHtml(cell.data(Qt::ToolTipRole).toString());
    EXPECT_EQ(shown.toPlainText(), "<b>0.5</b>");
    form.FirCells().SetCell(1, 0, "");
    EXPECT_FALSE(cell.data(Qt::ToolTipRole).isValid());
}

// A title line of any length is kept whole as the file's title; its label
// shows the first 300 characters, as plain text.
TEST_F(TableWindow, LongTitleIsKeptWholeAndItsLabelShowsItsStart) {
    const std::string title = "<b>" + std::string(100000, 'T');
    LoadFir(WriteFile("fir.txt", "//SIGNOVA\n//TITLE " + title + "\n0.5\n"));
    EXPECT_EQ(state.FileTitle, " " + title);
    LoadIir(WriteFile("iir.txt", "//SIGNOVA\n//TITLE " + title + "\n0\n1\n"));
    EXPECT_EQ(state.FileTitle, " " + title);
    EXPECT_TRUE(dialogs.shown.empty());
    const QString shown = QString::fromStdString((" " + title).substr(0, 300));
    for (const char* name : {"FIRLabel", "IIRLabel"}) {
        EXPECT_EQ(Label(name), shown) << name;
        EXPECT_EQ(form.Control<QLabel>(name)->textFormat(), Qt::PlainText) << name;
    }
}

// ---- IIR grid keys ---------------------------------------------------------

class IirGridKeys : public TableWindow {
protected:
    GridView* view = Grid("IIRGrid");

    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ShiftModifier) {
        QTest::keyClick(view, key, modifiers);
    }
    void TypeIntoCell(int column, int row, const char* text) {
        view->model()->setData(view->model()->index(row, column), QString::fromLatin1(text));
    }
    void ShowIirPage() {
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        form.ShowPage(IirPage);
    }
    // Opens the cell editor and gives it the keyboard focus.
    QLineEdit* OpenEditor(int column, int row) {
        const QModelIndex index = view->model()->index(row, column);
        view->setCurrentIndex(index);
        view->edit(index);
        auto* editor = qobject_cast<QLineEdit*>(view->indexWidget(index));
        if (editor != nullptr)
            editor->setFocus();
        return editor;
    }
};

TEST_F(IirGridKeys, ShiftDeleteStopsAtOneRowAndShiftInsertBringsOldTextBack) {
    Press(Qt::Key_Insert);
    EXPECT_EQ(state.IirOrder, 2);
    EXPECT_EQ(ShownRows("IIRGrid"), 3);
    EXPECT_EQ(Column(form.IirCells(), 0, 3), (std::vector<std::string>{"", "0", "1"}));
    EXPECT_EQ(form.IirCells().Cell(1, 2), "0");
    EXPECT_EQ(form.IirCells().Cell(2, 2), "0");
    TypeIntoCell(1, 2, "0.5");
    TypeIntoCell(2, 2, "0.25");

    Press(Qt::Key_Delete);
    EXPECT_EQ(state.IirOrder, 1);
    Press(Qt::Key_Delete);
    EXPECT_EQ(state.IirOrder, 1);
    EXPECT_EQ(ShownRows("IIRGrid"), 2);
    EXPECT_EQ(form.IirCells().FixedRows(), 1);
    EXPECT_EQ(form.IirCells().Cell(2, 1), "1");

    Press(Qt::Key_Insert);
    EXPECT_EQ(state.IirOrder, 2);
    EXPECT_EQ(ShownRows("IIRGrid"), 3);
    EXPECT_EQ(form.IirCells().Cell(1, 2), "0.5");
    EXPECT_EQ(form.IirCells().Cell(2, 2), "0.25");
}

TEST_F(IirGridKeys, ShiftAloneRenumbersAndFillsEmptyCellsWithZero) {
    TypeIntoCell(2, 1, "");
    form.IirCells().SetCell(0, 1, "x");
    Press(Qt::Key_Shift);
    EXPECT_EQ(form.IirCells().Cell(2, 1), "0");
    EXPECT_EQ(form.IirCells().Cell(0, 1), "0");
    EXPECT_EQ(form.IirCells().Cell(1, 1), "  - - -");
    EXPECT_EQ(state.IirOrder, 1);
}

TEST_F(IirGridKeys, KeysWithoutShiftDoNothing) {
    TypeIntoCell(2, 1, "");
    for (Qt::KeyboardModifiers modifiers :
         {Qt::KeyboardModifiers(), Qt::KeyboardModifiers(Qt::ControlModifier),
          Qt::KeyboardModifiers(Qt::AltModifier)}) {
        Press(Qt::Key_Insert, modifiers);
        Press(Qt::Key_Delete, modifiers);
    }
    EXPECT_EQ(state.IirOrder, 1);
    EXPECT_EQ(ShownRows("IIRGrid"), 2);
    EXPECT_EQ(form.IirCells().Cell(2, 1), "");
}

TEST_F(IirGridKeys, ShiftWithOtherModifiersStillActs) {
    Press(Qt::Key_Insert, Qt::ShiftModifier | Qt::ControlModifier);
    Press(Qt::Key_Insert, Qt::ShiftModifier | Qt::AltModifier);
    EXPECT_EQ(state.IirOrder, 3);
    EXPECT_EQ(ShownRows("IIRGrid"), 4);
}

TEST_F(IirGridKeys, ShiftInsertNeverGoesBeyond103Rows) {
    for (int press = 0; press < 110; ++press)
        Press(Qt::Key_Insert);
    EXPECT_EQ(state.IirOrder, 103);
    EXPECT_EQ(ShownRows("IIRGrid"), 104);
    EXPECT_EQ(form.IirCells().Cell(0, 103), "102");
    Press(Qt::Key_Delete);
    EXPECT_EQ(state.IirOrder, 102);
}

TEST_F(IirGridKeys, KeyInAnOpenEditorActsExactlyOnce) {
    ShowIirPage();
    QLineEdit* editor = OpenEditor(2, 1);
    ASSERT_NE(editor, nullptr);
    ASSERT_EQ(QApplication::focusWidget(), editor);

    // Shift+Insert is taken by the editor (paste); Ctrl+Shift+Insert is not
    // and travels on to the table.
    QTest::keyClick(editor, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(state.IirOrder, 2);
    QTest::keyClick(editor, Qt::Key_Insert, Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_EQ(state.IirOrder, 3);
    EXPECT_EQ(ShownRows("IIRGrid"), 4);
    EXPECT_EQ(view->indexWidget(view->model()->index(1, 2)), editor);
}

TEST_F(IirGridKeys, ShiftWhileTypingKeepsTheTypedText) {
    ShowIirPage();
    TypeIntoCell(2, 1, "");
    QLineEdit* editor = OpenEditor(2, 1);
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, "1-3");
    QTest::keyClick(editor, Qt::Key_Left);
    QTest::keyClick(editor, Qt::Key_Left);
    QTest::keyPress(editor, Qt::Key_Shift, Qt::ShiftModifier);
    QTest::keyClick(editor, 'E', Qt::ShiftModifier);
    QTest::keyRelease(editor, Qt::Key_Shift, Qt::NoModifier);
    EXPECT_EQ(editor->text(), "1E-3");
    CommitEditor(editor);
    EXPECT_EQ(form.IirCells().Cell(2, 1), "1E-3");
}

TEST_F(IirGridKeys, ShiftArrowsStillSelectInTheEditor) {
    ShowIirPage();
    QLineEdit* editor = OpenEditor(2, 1);
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, "0.125");
    QTest::keyClick(editor, Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyClick(editor, Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(editor->selectedText(), "25");
}

TEST_F(IirGridKeys, EscapeWithoutShiftStillRevertsTheTypedText) {
    ShowIirPage();
    QLineEdit* editor = OpenEditor(2, 1);
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, "25");
    QTest::keyClick(editor, Qt::Key_Escape);
    QCoreApplication::processEvents();
    EXPECT_EQ(form.IirCells().Cell(2, 1), "1");
}

TEST_F(IirGridKeys, ShiftDeleteInTheEditorOfTheLastRowRemovesItOnce) {
    ShowIirPage();
    Press(Qt::Key_Insert);
    Press(Qt::Key_Insert);
    QLineEdit* editor = OpenEditor(1, 3);
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(state.IirOrder, 2);
    EXPECT_EQ(ShownRows("IIRGrid"), 3);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(view->indexWidget(view->model()->index(1, 2)), nullptr);
}

// ---- IIR grid mouse --------------------------------------------------------

class IirGridMouse : public TableWindow {
protected:
    GridView* view = Grid("IIRGrid");

    void SetUp() override {
        form.show();
        form.ShowPage(IirPage);
    }
    QPoint Inside(int column, int row) {
        return view->visualRect(view->model()->index(row, column)).topLeft() + QPoint(4, 4);
    }
    QModelIndexList Selected() { return view->selectionModel()->selectedIndexes(); }
};

TEST_F(IirGridMouse, PressDuringARunStopsItBeforeAnotherSample) {
    form.onSample = [this](int sample) {
        if (sample == 4)
            QTest::mousePress(view->viewport(), Qt::LeftButton, {}, Inside(1, 1));
    };
    form.RunSamples(1000);
    QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, Inside(1, 1));
    EXPECT_EQ(form.samples, 4);
    EXPECT_FALSE(Running());
}

TEST_F(IirGridMouse, HeaderRowAndIndexColumnCannotBeSelected) {
    for (auto [column, row] :
         {std::pair{0, 0}, std::pair{1, 0}, std::pair{2, 0}, std::pair{0, 1}}) {
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, Inside(column, row));
        EXPECT_TRUE(Selected().isEmpty()) << column << "," << row;
    }
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, Inside(2, 1));
    EXPECT_EQ(Selected(), QModelIndexList{view->model()->index(1, 2)});
}

TEST_F(IirGridMouse, EveryColumnFitsBesideTheScrollBar) {
    // The table has no horizontal scroll bar, so the b column must fit.
    for (int press = 0; press < 6; ++press)
        QTest::keyClick(view, Qt::Key_Insert, Qt::ShiftModifier);
    QCoreApplication::processEvents();
    ASSERT_TRUE(view->verticalScrollBar()->isVisible());
    const QRect b = view->visualRect(view->model()->index(1, 2));
    EXPECT_GT(b.left(), 0);
    EXPECT_LE(b.right(), view->viewport()->width());
}

// ---- FIR grid --------------------------------------------------------------

class FirGridEditing : public TableWindow {
protected:
    GridView* view = Grid("FIRgrid");

    void SetUp() override {
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        form.ShowPage(FirPage);
    }
    void TypeAt(int column, int row, const char* text) {
        view->setFocus();
        view->setCurrentIndex(view->model()->index(row, column));
        // The first key opens the editor; the rest go to it.
        QTest::keyClick(view, text[0]);
        if (QWidget* editor = view->indexWidget(view->model()->index(row, column))) {
            QTest::keyClicks(editor, text + 1);
            CommitEditor(editor);
        }
    }
};

TEST_F(FirGridEditing, LabelColumnCannotBeEditedButValuesCan) {
    const QModelIndex label = view->model()->index(0, 0);
    EXPECT_FALSE(view->model()->flags(label).testFlag(Qt::ItemIsEditable));
    view->edit(label);
    EXPECT_EQ(view->indexWidget(label), nullptr);
    TypeAt(0, 0, "9");
    EXPECT_EQ(form.FirCells().Cell(0, 0), "h0");

    TypeAt(1, 0, "0.5");
    EXPECT_EQ(form.FirCells().Cell(1, 0), "0.5");
    EXPECT_EQ(state.FirLastTap, 47);
}

TEST_F(FirGridEditing, TypingAndClickingDuringARunDoNotStopIt) {
    form.onSample = [this](int sample) {
        if (sample == 5) {
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                              view->visualRect(view->model()->index(1, 1)).center());
            TypeAt(1, 1, "7");
        }
    };
    form.RunSamples(12);
    EXPECT_EQ(form.samples, 12);
    EXPECT_EQ(form.FirCells().Cell(1, 1), "7");
}

TEST_F(FirGridEditing, DraggingTheLineBetweenColumnsResizesTheColumn) {
    QWidget* cells = view->viewport();
    const int line = view->columnWidth(0); // the labels' right edge
    QTest::mouseMove(cells, QPoint(line + 1, 30));
    EXPECT_EQ(cells->cursor().shape(), Qt::SplitHCursor);
    QTest::mousePress(cells, Qt::LeftButton, {}, QPoint(line + 1, 30));
    QTest::mouseMove(cells, QPoint(line - 39, 30));
    QTest::mouseRelease(cells, Qt::LeftButton, {}, QPoint(line - 39, 30));
    EXPECT_EQ(view->columnWidth(0), 50);
    EXPECT_EQ(view->columnWidth(1), 90);
    EXPECT_TRUE(view->selectionModel()->selectedIndexes().isEmpty());
}

TEST_F(LoadFirButton, LoadedTablesShowTheirFirstRow) {
    form.show();
    LoadIir(DataFile("iir_200_lines.txt"));
    Grid("FIRgrid")->scrollToBottom();
    Grid("IIRGrid")->scrollToBottom();
    LoadFir(DataFile("fir_100_values.txt"));
    LoadIir(DataFile("iir_200_lines.txt"));
    EXPECT_EQ(Grid("FIRgrid")->verticalScrollBar()->value(), 0);
    EXPECT_EQ(Grid("IIRGrid")->verticalScrollBar()->value(), 0);
}

} // namespace
