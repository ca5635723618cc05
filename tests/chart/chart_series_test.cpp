#include "chart/chart.h"
#include "chart/chart_bar_series.h"
#include "chart/chart_fast_line_series.h"
#include "chart/chart_point_series.h"
#include "toolkit/errors.h"

#include <gtest/gtest.h>

#include <vector>

namespace signova {
namespace {

class SeriesPointOrder : public ::testing::Test {
protected:
    TChart chart;
    TFastLineSeries& series = chart.AddSeries<TFastLineSeries>("Series1");
};

TEST_F(SeriesPointOrder, EqualXGoesAfterTheExistingPoint) {
    EXPECT_EQ(series.AddPoint(10, 1, "", clLime), 0u);
    EXPECT_EQ(series.AddPoint(10, 5, "", clGreen), 1u);
    EXPECT_EQ(series.XValues(), (std::vector<double>{10, 10}));
    EXPECT_EQ(series.YValues(), (std::vector<double>{1, 5}));
    EXPECT_EQ(series.Colors(), (std::vector<TColor>{clLime, clGreen}));
}

TEST_F(SeriesPointOrder, EqualXInTheMiddleGoesAfterEveryPointOfThatX) {
    series.AddPoint(1, 10, "", clLime);
    series.AddPoint(2, 20, "", clLime);
    series.AddPoint(2, 21, "", clLime);
    series.AddPoint(5, 50, "", clLime);
    EXPECT_EQ(series.AddPoint(2, 22, "", clGreen), 3u);
    EXPECT_EQ(series.AddPoint(1, 11, "", clGreen), 1u);
    EXPECT_EQ(series.XValues(), (std::vector<double>{1, 1, 2, 2, 2, 5}));
    EXPECT_EQ(series.YValues(), (std::vector<double>{10, 11, 20, 21, 22, 50}));
}

TEST_F(SeriesPointOrder, SmallerXGoesBefore) {
    series.AddPoint(10, 1, "", clLime);
    EXPECT_EQ(series.AddPoint(5, 0, "", clGreen), 0u);
    EXPECT_EQ(series.XValues(), (std::vector<double>{5, 10}));
    EXPECT_EQ(series.YValues(), (std::vector<double>{0, 1}));
}

TEST_F(SeriesPointOrder, InsertedPointKeepsItsValuesColourAndLabelTogether) {
    series.AddPoint(1, 10, "a", clRed);
    series.AddPoint(3, 30, "c", clGreen);
    series.AddPoint(3, 31, "d", clBlue);
    EXPECT_EQ(series.AddPoint(2, 20, "b", clLime), 1u);
    EXPECT_EQ(series.AddPoint(3, 32, "e", clAqua), 4u);
    EXPECT_EQ(series.XValues(), (std::vector<double>{1, 2, 3, 3, 3}));
    EXPECT_EQ(series.YValues(), (std::vector<double>{10, 20, 30, 31, 32}));
    EXPECT_EQ(series.Colors(), (std::vector<TColor>{clRed, clLime, clGreen, clBlue, clAqua}));
    EXPECT_EQ(series.Labels(), (std::vector<std::string>{"a", "b", "c", "d", "e"}));
}

TEST_F(SeriesPointOrder, ClearRemovesEveryPointAndKeepsTheRoom) {
    for (int i = 0; i < 100; ++i)
        series.AddPoint(i, i, "", clLime);
    const auto capacity = series.XValues().capacity();
    series.Clear();
    EXPECT_EQ(series.Count(), 0u);
    EXPECT_TRUE(series.YValues().empty());
    EXPECT_TRUE(series.Colors().empty());
    EXPECT_TRUE(series.Labels().empty());
    EXPECT_EQ(series.XValues().capacity(), capacity);
    EXPECT_EQ(series.AddPoint(7, 1, "", clLime), 0u);
}

class RepaintRequests : public ::testing::Test {
protected:
    RepaintRequests() {
        chart.SetInvalidateHandler([this] { ++requests; });
        chart.MarkPainted();
    }
    TChart chart;
    TFastLineSeries& line = chart.AddSeries<TFastLineSeries>("Series1");
    TPointSeries& points = chart.AddSeries<TPointSeries>("Series3");
    int requests = 0;
    void Painted() {
        chart.MarkPainted();
        requests = 0;
    }
};

TEST_F(RepaintRequests, ClearAndManyPointsAskForOneRepaint) {
    Painted();
    line.Clear();
    points.Clear();
    for (int i = 0; i < 500; ++i) {
        line.AddPoint(i, i, "", clLime);
        points.AddPoint(i, i, "", clLime);
    }
    EXPECT_EQ(requests, 1);
    EXPECT_TRUE(chart.NeedsRepaint());
}

TEST_F(RepaintRequests, AfterAPaintTheNextChangeAsksAgain) {
    Painted();
    line.AddPoint(1, 1, "", clLime);
    chart.MarkPainted();
    EXPECT_FALSE(chart.NeedsRepaint());
    line.AddPoint(2, 1, "", clLime);
    EXPECT_EQ(requests, 2);
}

TEST_F(RepaintRequests, PenColourAndPointerSizeAskForARepaint) {
    Painted();
    line.LinePen().SetColor(clGreen);
    EXPECT_EQ(requests, 1);
    Painted();
    points.Pointer().SetHorizSize(7);
    EXPECT_EQ(requests, 1);
}

TEST_F(RepaintRequests, UnchangedPointerSizeDoesNotAsk) {
    points.Pointer().SetHorizSize(3);
    Painted();
    points.Pointer().SetHorizSize(3);
    EXPECT_EQ(requests, 0);
    EXPECT_FALSE(chart.NeedsRepaint());
}

TEST_F(RepaintRequests, OnlyFrameChangesAdvanceTheConfigVersion) {
    const auto version = chart.ConfigVersion();
    line.AddPoint(1, 1, "", clLime);
    points.Pointer().SetHorizSize(9);
    line.LinePen().SetColor(clRed);
    EXPECT_EQ(chart.ConfigVersion(), version);
    chart.LeftAxis().Grid().SetColor(clRed);
    EXPECT_GT(chart.ConfigVersion(), version);
}

class PointerSize : public ::testing::TestWithParam<int> {};

TEST_P(PointerSize, BelowOneIsRejectedAndTheOldSizeKept) {
    TChart chart;
    TSeriesPointer& pointer = chart.AddSeries<TPointSeries>("Series3").Pointer();
    pointer.SetHorizSize(3);
    pointer.SetVertSize(2);
    try {
        pointer.SetHorizSize(GetParam());
        FAIL() << "no error for HorizSize " << GetParam();
    } catch (const PointerSizeError& error) {
        EXPECT_STREQ(error.what(), "Pointer size must be greater than zero");
    }
    EXPECT_THROW(pointer.SetVertSize(GetParam()), PointerSizeError);
    EXPECT_EQ(pointer.HorizSize(), 3);
    EXPECT_EQ(pointer.VertSize(), 2);
}

INSTANTIATE_TEST_SUITE_P(Sizes, PointerSize, ::testing::Values(0, -1, -1000));

TEST(SeriesDefaults, AreThoseTheProgramBuildsOn) {
    TChart chart;
    const TPointSeries& points = chart.AddSeries<TPointSeries>("p");
    const TBarSeries& bars = chart.AddSeries<TBarSeries>("b");
    const TFastLineSeries& line = chart.AddSeries<TFastLineSeries>("l");
    EXPECT_EQ(points.Pointer().HorizSize(), 4);
    EXPECT_EQ(points.Pointer().VertSize(), 4);
    EXPECT_EQ(bars.BarWidthPercent(), 70);
    EXPECT_EQ(bars.YOrigin(), 0.0);
    EXPECT_EQ(line.LinePen().Width(), 1);
}

TEST(FastLineSeriesColour, SettingTheSeriesColourSetsThePen) {
    TChart chart;
    TFastLineSeries& line = chart.AddSeries<TFastLineSeries>("Series1");
    line.SetSeriesColor(clLime);
    EXPECT_EQ(line.LinePen().Color(), clLime);
    line.LinePen().SetColor(clGreen);
    EXPECT_EQ(line.SeriesColor(), clLime);
}

TEST(PointColour, DefaultColorMeansTheSeriesColour) {
    TChart chart;
    TBarSeries& bars = chart.AddSeries<TBarSeries>("Series1");
    bars.SetSeriesColor(clRed);
    bars.AddPoint(0, 1, "", DefaultColor);
    bars.AddPoint(1, 1, "", clGreen);
    EXPECT_EQ(bars.PointColor(0), clRed);
    EXPECT_EQ(bars.PointColor(1), clGreen);
}

TEST(PointColour, ColorEachPointGivesDefaultPointsPaletteColours) {
    TChart chart;
    TBarSeries& bars = chart.AddSeries<TBarSeries>("Series1");
    bars.SetSeriesColor(clRed);
    bars.SetColorEachPoint(true);
    for (int i = 0; i < 3; ++i)
        bars.AddPoint(i, 1, "", DefaultColor);
    bars.AddPoint(3, 1, "", clBlack);
    EXPECT_NE(bars.PointColor(0), bars.PointColor(1));
    EXPECT_NE(bars.PointColor(1), bars.PointColor(2));
    EXPECT_EQ(bars.PointColor(3), clBlack);
}

TEST(ChartSeriesList, KeepsOrderAndFindsByName) {
    TChart chart;
    chart.AddSeries<TFastLineSeries>("Series1");
    TPointSeries& third = chart.AddSeries<TPointSeries>("Series3");
    ASSERT_EQ(chart.SeriesCount(), 2u);
    EXPECT_EQ(chart.Series(1).Name(), "Series3");
    EXPECT_EQ(chart.FindSeries("Series3"), &third);
    EXPECT_EQ(chart.FindSeries("Series9"), nullptr);
    chart.RemoveAllSeries();
    EXPECT_EQ(chart.SeriesCount(), 0u);
}

} // namespace
} // namespace signova
