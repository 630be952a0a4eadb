#include "globe/portable_trig.h"

// Plain IEEE double operations only, evaluated as written: the build never
// contracts a * b + c into a fused multiply-add, which the error-free
// transformations below rely on.

namespace {

struct DoubleDouble {
    double hi;
    double lo;
};

// a + b = s + e exactly.
DoubleDouble TwoSum(double a, double b)
{
    double const s = a + b;
    double const bb = s - a;
    double const e = (a - (s - bb)) + (b - bb);
    return { s, e };
}

// The same, given |a| >= |b|.
DoubleDouble FastTwoSum(double a, double b)
{
    double const s = a + b;
    return { s, b - (s - a) };
}

// Veltkamp's split of a into two 26-bit halves.
DoubleDouble Split(double a)
{
    double const c = 134217729.0 * a; // 2^27 + 1
    double const hi = c - (c - a);
    return { hi, a - hi };
}

// a * b = p + e exactly (Dekker).
DoubleDouble TwoProduct(double a, double b)
{
    double const p = a * b;
    DoubleDouble const as = Split(a);
    DoubleDouble const bs = Split(b);
    double const e = ((as.hi * bs.hi - p) + as.hi * bs.lo + as.lo * bs.hi) + as.lo * bs.lo;
    return { p, e };
}

DoubleDouble Add(DoubleDouble a, DoubleDouble b)
{
    DoubleDouble s = TwoSum(a.hi, b.hi);
    DoubleDouble const t = TwoSum(a.lo, b.lo);
    s = FastTwoSum(s.hi, s.lo + t.hi);
    return FastTwoSum(s.hi, s.lo + t.lo);
}

DoubleDouble Add(DoubleDouble a, double b)
{
    DoubleDouble const s = TwoSum(a.hi, b);
    return FastTwoSum(s.hi, s.lo + a.lo);
}

DoubleDouble Multiply(DoubleDouble a, DoubleDouble b)
{
    DoubleDouble const p = TwoProduct(a.hi, b.hi);
    return FastTwoSum(p.hi, p.lo + (a.hi * b.lo + a.lo * b.hi));
}

// pi/2 as the unevaluated sum of three doubles (about 160 bits).
constexpr double HALF_PI_1 = 0x1.921fb54442d18p+0;
constexpr double HALF_PI_2 = 0x1.1a62633145c07p-54;
constexpr double HALF_PI_3 = -0x1.f1976b7ed8fbcp-110;
constexpr double TWO_OVER_PI = 0x1.45f306dc9c883p-1;

// Taylor coefficients as double-doubles: (-1)^k / (2k+1)! for the sine,
// (-1)^k / (2k)! for the cosine. On |r| <= pi/4 (and a little beyond, when
// the quadrant is rounded the other way) the first omitted terms are below
// 2^-110 of the result.
constexpr DoubleDouble SIN_COEFFICIENTS[] = {
    { 0x1p+0, 0.0 },
    { -0x1.5555555555555p-3, -0x1.5555555555555p-57 },
    { 0x1.1111111111111p-7, 0x1.1111111111111p-63 },
    { -0x1.a01a01a01a01ap-13, -0x1.a01a01a01a01ap-73 },
    { 0x1.71de3a556c734p-19, -0x1.c154f8ddc6c00p-73 },
    { -0x1.ae64567f544e4p-26, 0x1.c062e06d1f209p-80 },
    { 0x1.6124613a86d09p-33, 0x1.f28e0cc748ebep-87 },
    { -0x1.ae7f3e733b81fp-41, -0x1.1d8656b0ee8cbp-97 },
    { 0x1.952c77030ad4ap-49, 0x1.ac981465ddc6cp-103 },
    { -0x1.2f49b46814157p-57, -0x1.2650f61dbdcb4p-112 },
    { 0x1.71b8ef6dcf572p-66, -0x1.d043ae40c4647p-120 },
    { -0x1.761b41316381ap-75, 0x1.3423c7d91404fp-130 },
    { 0x1.3f3ccdd165fa9p-84, -0x1.58ddadf344487p-139 },
    { -0x1.d1ab1c2dccea3p-94, -0x1.054d0c78aea14p-149 },
    { 0x1.259f98b4358adp-103, 0x1.eaf8c39dd9bc5p-157 },
    { -0x1.434d2e783f5bcp-113, -0x1.0b87b91be9affp-167 },
};

constexpr DoubleDouble COS_COEFFICIENTS[] = {
    { 0x1p+0, 0.0 },
    { -0x1p-1, 0.0 },
    { 0x1.5555555555555p-5, 0x1.5555555555555p-59 },
    { -0x1.6c16c16c16c17p-10, 0x1.f49f49f49f49fp-65 },
    { 0x1.a01a01a01a01ap-16, 0x1.a01a01a01a01ap-76 },
    { -0x1.27e4fb7789f5cp-22, -0x1.cbbc05b4fa99ap-76 },
    { 0x1.1eed8eff8d898p-29, -0x1.2aec959e14c06p-83 },
    { -0x1.93974a8c07c9dp-37, -0x1.05d6f8a2efd1fp-92 },
    { 0x1.ae7f3e733b81fp-45, 0x1.1d8656b0ee8cbp-101 },
    { -0x1.6827863b97d97p-53, -0x1.eec01221a8b0bp-107 },
    { 0x1.e542ba4020225p-62, 0x1.ea72b4afe3c2fp-120 },
    { -0x1.0ce396db7f853p-70, 0x1.aebcdbd20331cp-124 },
    { 0x1.f2cf01972f578p-80, -0x1.9ada5fcc1ab14p-135 },
    { -0x1.88e85fc6a4e5ap-89, 0x1.71c37ebd16540p-143 },
    { 0x1.0a18a2635085dp-98, 0x1.b9e2e28e1aa54p-153 },
    { -0x1.3932c5047d60ep-108, -0x1.832b7b530a627p-162 },
    { 0x1.3981254dd0d52p-123, -0x1.2b1f4c8015a2fp-177 },
};

// The highest terms are summed in plain double precision: from the tenth
// coefficient on, a term is below 2^-58 of the result, so the rounding
// errors there stay below 2^-110. The rest runs in double-double.
constexpr int DOUBLE_DOUBLE_TERMS = 9;

template<int N>
DoubleDouble Horner(DoubleDouble const (&coefficients)[N], DoubleDouble z)
{
    static_assert(N > DOUBLE_DOUBLE_TERMS);
    double tail = coefficients[N - 1].hi;
    for (int k = N - 2; k >= DOUBLE_DOUBLE_TERMS; --k)
        tail = tail * z.hi + coefficients[k].hi;
    DoubleDouble sum { tail, 0.0 };
    for (int k = DOUBLE_DOUBLE_TERMS - 1; k >= 0; --k)
        sum = Add(Multiply(sum, z), coefficients[k]);
    return sum;
}

DoubleDouble SinOfReduced(DoubleDouble r)
{
    return Multiply(r, Horner(SIN_COEFFICIENTS, Multiply(r, r)));
}

DoubleDouble CosOfReduced(DoubleDouble r)
{
    return Horner(COS_COEFFICIENTS, Multiply(r, r));
}

struct Reduced {
    DoubleDouble r; // x - quadrant * pi/2
    int quadrant;   // modulo 4
};

Reduced Reduce(double x)
{
    double const scaled = x * TWO_OVER_PI;
    auto const k = static_cast<long long>(scaled >= 0.0 ? scaled + 0.5 : scaled - 0.5);
    auto const kd = static_cast<double>(k);
    DoubleDouble const p1 = TwoProduct(kd, HALF_PI_1);
    DoubleDouble const p2 = TwoProduct(kd, HALF_PI_2);
    DoubleDouble r = TwoSum(x, -p1.hi);
    r = Add(r, -p1.lo);
    r = Add(r, -p2.hi);
    r = Add(r, -p2.lo);
    r = Add(r, -(kd * HALF_PI_3));
    return { r, static_cast<int>(k & 3) };
}

double Negated(DoubleDouble value, bool negate)
{
    return negate ? -value.hi : value.hi;
}

bool IsFinite(double x)
{
    return x - x == 0.0;
}

}

double PortableSin(double x)
{
    if (!IsFinite(x))
        return x - x;
    Reduced const reduced = Reduce(x);
    switch (reduced.quadrant) {
    case 0:
        return Negated(SinOfReduced(reduced.r), false);
    case 1:
        return Negated(CosOfReduced(reduced.r), false);
    case 2:
        return Negated(SinOfReduced(reduced.r), true);
    default:
        return Negated(CosOfReduced(reduced.r), true);
    }
}

double PortableCos(double x)
{
    if (!IsFinite(x))
        return x - x;
    Reduced const reduced = Reduce(x);
    switch (reduced.quadrant) {
    case 0:
        return Negated(CosOfReduced(reduced.r), false);
    case 1:
        return Negated(SinOfReduced(reduced.r), true);
    case 2:
        return Negated(CosOfReduced(reduced.r), true);
    default:
        return Negated(SinOfReduced(reduced.r), false);
    }
}
