#pragma once
// Helpers shared by the formula family tests.
//
// The hand computations in these tests are written out from the formula
// definitions and never call into the formula code: HandRotation below is the
// rotation step most formulas end with, spelled out once for all of them, and
// DampedTerms the denominator a handful of maps share. What differs from
// formula to formula (W, the offset, the display scale, guards, an own A or θ)
// stays written out in each test.

#include "formulas/catalog.h"
#include "formulas/formula.h"
#include "formulas/numeric.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <set>
#include <utility>
#include <vector>

namespace orbelle::test {

/// The defaults of a formula with rows from P on at 0.
inline ParamRows defaultRows(FormulaId id) { return formulaInfo(id).defaults; }

/// The second row set of a formula: every active row one step above its
/// default, or one below where the default is the top of the row's range, so
/// that a term whose row defaults to 0 counts in the points too. Inactive rows
/// stay at 0.
inline ParamRows secondRows(FormulaId id) {
    const FormulaInfo& info = formulaInfo(id);
    ParamRows rows = info.defaults;
    for (int k = 0; k < info.paramCount; ++k) {
        rows[k] += rows[k] < info.ranges[k].max ? 1 : -1;
    }
    return rows;
}

/// Runs check(rows) with the defaults of a formula, then with its second rows.
template <class Check> void forBothRowSets(FormulaId id, Check check) {
    {
        SCOPED_TRACE("default rows");
        check(defaultRows(id));
    }
    SCOPED_TRACE("second rows");
    check(secondRows(id));
}

/// The first n points of a formula run with the given rows.
inline std::vector<Point> firstPoints(FormulaId id, const ParamRows& rows, std::size_t n) {
    auto run = prepareFormula(id, rows);
    EXPECT_TRUE(run.has_value());
    std::vector<Point> points(n);
    if (run) {
        run->source->generate(points.data(), n);
    }
    return points;
}

inline std::vector<Point> firstPoints(FormulaId id, std::size_t n) {
    return firstPoints(id, defaultRows(id), n);
}

/// Number of dots a formula draws with its defaults (N + 1 - i0).
inline std::int64_t defaultDotCount(FormulaId id) {
    auto run = prepareFormula(id, defaultRows(id));
    return run ? run->iterations() : -1;
}

/// What the first points of a formula look like as a figure.
struct FigureSpread {
    bool allFinite = true;  // no NaN or infinity among them
    std::size_t pixels = 0; // distinct whole-number positions (trunc32 of x and y)
    double widthX = 0;      // max x - min x
    bool moved = false;     // some point differs from the first
};

/// The spread of the first n points of a formula with its defaults.
inline FigureSpread figureSpread(FormulaId id, std::size_t n) {
    const std::vector<Point> points = firstPoints(id, n);
    FigureSpread spread;
    std::set<std::pair<std::int32_t, std::int32_t>> pixels;
    double minX = points.front().x, maxX = points.front().x;
    for (const Point& p : points) {
        spread.allFinite = spread.allFinite && std::isfinite(p.x) && std::isfinite(p.y);
        pixels.insert({trunc32(p.x), trunc32(p.y)});
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        spread.moved = spread.moved || p.x != points.front().x || p.y != points.front().y;
    }
    spread.pixels = pixels.size();
    spread.widthX = maxX - minX;
    return spread;
}

/// The rows with row `row` set to `value`.
inline ParamRows withRow(ParamRows rows, int row, std::int32_t value) {
    rows[row] = value;
    return rows;
}

/// The rows as doubles, for hand computations that scale a row up
/// (d[15] * 500 is a double product, r[15] * 500 an integer one).
using RowDoubles = std::array<double, kRowCount>;

inline RowDoubles asDouble(const ParamRows& rows) {
    RowDoubles d{};
    for (int k = 0; k < kRowCount; ++k) {
        d[k] = static_cast<double>(rows[k]);
    }
    return d;
}

/// The state (t, y) of a formula and the rotation that ends most steps,
/// written out from the rows:
///   t0 = r4 / 10, y0 = r5 / 10, A = (r6 / 1000 + 999.5) / 1000,
///   K = (r3 + 999999999600) / 1000000000000,
///   θ = r2 × 0.000001 + 6.283185307179586 / r1, c = cos θ, s = sin θ.
/// Every member is public: a formula with its own A or θ overwrites A, or c
/// and s, and a guard that moves t off 0 writes t before the step.
struct HandRotation {
    double t, y, A, K, c, s;

    explicit HandRotation(const ParamRows& r)
        : t(r[4] / 10.0), y(r[5] / 10.0), A((r[6] / 1000.0 + 999.5) / 1000.0),
          K((r[3] + 999999999600.0) / 1000000000000.0) {
        const double theta = r[2] * 0.000001 + 6.283185307179586 / r[1];
        c = std::cos(theta);
        s = std::sin(theta);
    }

    /// X = ((c t) - ((A W) s)) + delta, Y = ((W c) + (((A t) K) s)) + delta;
    /// (t, y) moves on to (X, Y) and the plotted point (X scale, Y scale) is
    /// returned. A step that subtracts D is step(W, -D, scale): IEEE defines
    /// x - D as x + (-D), so both give the same bits.
    Point step(double W, double delta, double scale) { return stepTurning(t, W, delta, scale); }

    /// The same step with V turned in place of t (the mirrored maps, whose V
    /// is W with t and y exchanged): X = ((c V) - ((A W) s)) + delta,
    /// Y = ((W c) + (((A V) K) s)) + delta.
    Point stepTurning(double V, double W, double delta, double scale) {
        const double X = ((c * V) - ((A * W) * s)) + delta;
        const double Y = ((W * c) + (((A * V) * K) * s)) + delta;
        t = X;
        y = Y;
        return {X * scale, Y * scale};
    }

    /// The step without any offset, X = (c t) - ((A W) s) and
    /// Y = (W c) + (((A t) K) s); unlike step(W, 0.0, scale) it keeps a -0.
    Point stepNoOffset(double W, double scale) {
        const double X = (c * t) - ((A * W) * s);
        const double Y = (W * c) + (((A * t) * K) * s);
        t = X;
        y = Y;
        return {X * scale, Y * scale};
    }
};

/// The terms the damped maps share (gem items 0, 1, 3, 5 and 6, "天王星"),
/// written out from the rows:
///   B = (r7 / 50) 0.0001, C = r8 / 100, D = r9 / 500, E, F, G = r10 ... r12 / 500,
///   H = r13 / 50, e1, e2, e3 = r14 ... r16 / 500, e4 = r17 / 5000000000,
///   e5 = r18 / 500, e6 = r19 / 50000;
/// the root q of |v| (an exact 0 becomes 1e-14) and the denominator
///   ((|((exp(e4 t - e3) e2) t) cos((E t) t - shift)| + B) + tan(t) e6) + tri(e1 / q + G) H
/// (an exact 0 becomes 1e-24).
struct DampedTerms {
    double B, C, D, E, F, G, H, e1, e2, e3, e4, e5, e6;

    explicit DampedTerms(const RowDoubles& d)
        : B((d[7] / 50) * 0.0001), C(d[8] / 100), D(d[9] / 500), E(d[10] / 500), F(d[11] / 500),
          G(d[12] / 500), H(d[13] / 50), e1(d[14] / 500), e2(d[15] / 500), e3(d[16] / 500),
          e4(d[17] / 5000000000), e5(d[18] / 500), e6(d[19] / 50000) {}

    static double root(double v) {
        const double q = std::sqrt(std::abs(v));
        return q == 0 ? 1e-14 : q;
    }

    double denominator(double t, double q, double shift) const {
        double u = (std::exp(e4 * t - e3) * e2) * t;
        u = std::abs(u * std::cos((E * t) * t - shift)) + B;
        u = u + std::tan(t) * e6;
        const double den = u + tri(e1 / q + G) * H;
        return den == 0 ? 1e-24 : den;
    }
};

/// Compares the first expected.size() points of formula `id` run with `rows`
/// with `expected`, bit for bit.
inline void expectSamePoints(FormulaId id, const ParamRows& rows,
                             const std::vector<Point>& expected) {
    const auto points = firstPoints(id, rows, expected.size());
    for (std::size_t k = 0; k < expected.size(); ++k) {
        ASSERT_EQ(points[k].x, expected[k].x) << "point " << k;
        ASSERT_EQ(points[k].y, expected[k].y) << "point " << k;
    }
}

/// The n points of n hand steps from the state `from`; step(h) computes one
/// step on h (usually ending in h.step(W, delta, scale)) and returns the
/// plotted point.
template <class Step> std::vector<Point> pointsByHand(HandRotation from, std::size_t n, Step step) {
    std::vector<Point> points;
    points.reserve(n);
    for (std::size_t k = 0; k < n; ++k) {
        points.push_back(step(from));
    }
    return points;
}

/// Compares the first n points of formula `id` run with `rows` with n hand
/// steps from HandRotation(rows), bit for bit.
template <class Step>
void expectFirstPointsByHand(FormulaId id, const ParamRows& rows, std::size_t n, Step step) {
    expectSamePoints(id, rows, pointsByHand(HandRotation(rows), n, step));
}

/// expectFirstPointsByHand with the defaults of formula `id`, then with its
/// second rows; step(h, d) is one hand step on h with the rows d as doubles.
template <class Step> void expectByHandForBothRowSets(FormulaId id, std::size_t n, Step step) {
    forBothRowSets(id, [&](const ParamRows& r) {
        const RowDoubles d = asDouble(r);
        expectFirstPointsByHand(id, r, n, [&](HandRotation& h) { return step(h, d); });
    });
}

} // namespace orbelle::test
