#include "globe/tile_kernels.h"

#include "globe/avx2_lanes.h"

namespace {

inline GlobePoint Scaled(GlobePoint p, double factor)
{
    return { static_cast<float>(p.x * factor), static_cast<float>(p.y * factor), static_cast<float>(p.z * factor) };
}

inline GlobePoint ApplySteps(GlobePoint p, TileStep const* steps, int stepCount)
{
    for (int s = 0; s < stepCount; ++s) {
        TileStep const& step = steps[s];
        if (step.tested) {
            GlobePoint const d { p.x - step.qx, p.y - step.qy, p.z - step.qz };
            if (!(Dot({ step.qx, step.qy, step.qz }, d) > 0.0))
                continue;
        }
        p = Scaled(p, step.factor);
    }
    return p;
}

struct MeasureAccumulator {
    double minRadiusSquared = 1e300;
    double maxRadiusSquared = 0.0;
    double minAxial = 1e300;
    double maxPerpendicularSquared = 0.0;

    void Add(GlobePoint p, double ax, double ay, double az)
    {
        double const x = p.x;
        double const y = p.y;
        double const z = p.z;
        double const r2 = (x * x + y * y) + z * z;
        double const axial = (ax * x + ay * y) + az * z;
        double const perpendicular = r2 - axial * axial;
        minRadiusSquared = r2 < minRadiusSquared ? r2 : minRadiusSquared;
        maxRadiusSquared = r2 > maxRadiusSquared ? r2 : maxRadiusSquared;
        minAxial = axial < minAxial ? axial : minAxial;
        maxPerpendicularSquared = perpendicular > maxPerpendicularSquared ? perpendicular : maxPerpendicularSquared;
    }

    TileMeasure Result() const { return { minRadiusSquared, maxRadiusSquared, minAxial, maxPerpendicularSquared }; }
};

// The portable kernels: eight points at a time in plain arrays, which the
// compiler may vectorise; the same arithmetic as the single-point steps.
constexpr int PORTABLE_LANES = 8;

void ApplyStepsToRunPortable(GlobePoint* run, int width, TileStep const* steps, int stepCount)
{
    int j = 0;
    for (; j + PORTABLE_LANES <= width; j += PORTABLE_LANES) {
        float x[PORTABLE_LANES];
        float y[PORTABLE_LANES];
        float z[PORTABLE_LANES];
        for (int k = 0; k < PORTABLE_LANES; ++k) {
            x[k] = run[j + k].x;
            y[k] = run[j + k].y;
            z[k] = run[j + k].z;
        }
        for (int s = 0; s < stepCount; ++s) {
            TileStep const& step = steps[s];
            double const factor = step.factor;
            for (int k = 0; k < PORTABLE_LANES; ++k) {
                bool beyond = true;
                if (step.tested) {
                    float const dx = x[k] - step.qx;
                    float const dy = y[k] - step.qy;
                    float const dz = z[k] - step.qz;
                    double const dot = (static_cast<double>(step.qz) * dz + static_cast<double>(step.qy) * dy)
                        + static_cast<double>(step.qx) * dx;
                    beyond = dot > 0.0;
                }
                float const sx = static_cast<float>(x[k] * factor);
                float const sy = static_cast<float>(y[k] * factor);
                float const sz = static_cast<float>(z[k] * factor);
                x[k] = beyond ? sx : x[k];
                y[k] = beyond ? sy : y[k];
                z[k] = beyond ? sz : z[k];
            }
        }
        for (int k = 0; k < PORTABLE_LANES; ++k)
            run[j + k] = { x[k], y[k], z[k] };
    }
    for (; j < width; ++j)
        run[j] = ApplySteps(run[j], steps, stepCount);
}

void ApplyStepsToTilePortable(TileSpan const& tile, TileStep const* steps, int stepCount)
{
    for (int i = 0; i < tile.rows; ++i)
        ApplyStepsToRunPortable(tile.first + i * tile.stride, tile.width, steps, stepCount);
}

TileMeasure MeasureTilePortable(TileSpan const& tile, double ax, double ay, double az)
{
    MeasureAccumulator accumulator;
    for (int i = 0; i < tile.rows; ++i) {
        GlobePoint const* run = tile.first + i * tile.stride;
        for (int j = 0; j < tile.width; ++j)
            accumulator.Add(run[j], ax, ay, az);
    }
    return accumulator.Result();
}

#ifdef MORVA_HAVE_X86_KERNELS

// v times factor in double precision, rounded back to single, lane by lane.
MORVA_AVX2 __m256 ScaleLanes(__m256 v, __m256d factor)
{
    __m128 const low = _mm256_cvtpd_ps(_mm256_mul_pd(_mm256_cvtps_pd(_mm256_castps256_ps128(v)), factor));
    __m128 const high = _mm256_cvtpd_ps(_mm256_mul_pd(_mm256_cvtps_pd(_mm256_extractf128_ps(v, 1)), factor));
    return _mm256_set_m128(high, low);
}

// (qz * dz + qy * dy) + qx * dx > 0 for four lanes, each difference widened
// from single precision; no fused multiply-add.
MORVA_AVX2 __m256d BeyondHalf(__m256d qx, __m256d qy, __m256d qz, __m128 dx, __m128 dy, __m128 dz)
{
    __m256d const zy = _mm256_add_pd(_mm256_mul_pd(qz, _mm256_cvtps_pd(dz)), _mm256_mul_pd(qy, _mm256_cvtps_pd(dy)));
    __m256d const dot = _mm256_add_pd(zy, _mm256_mul_pd(qx, _mm256_cvtps_pd(dx)));
    return _mm256_cmp_pd(dot, _mm256_setzero_pd(), _CMP_GT_OQ);
}

// The sign bits of the lanes beyond the plane, as a single-precision mask;
// all clear when none is.
MORVA_AVX2 __m256 BeyondMask(Lanes const& v, TileStep const& step, bool& any)
{
    __m256 const dx = _mm256_sub_ps(v.x, _mm256_set1_ps(step.qx));
    __m256 const dy = _mm256_sub_ps(v.y, _mm256_set1_ps(step.qy));
    __m256 const dz = _mm256_sub_ps(v.z, _mm256_set1_ps(step.qz));
    __m256d const qx = _mm256_set1_pd(step.qx);
    __m256d const qy = _mm256_set1_pd(step.qy);
    __m256d const qz = _mm256_set1_pd(step.qz);
    __m256d const low = BeyondHalf(qx, qy, qz, _mm256_castps256_ps128(dx), _mm256_castps256_ps128(dy),
        _mm256_castps256_ps128(dz));
    __m256d const high = BeyondHalf(qx, qy, qz, _mm256_extractf128_ps(dx, 1), _mm256_extractf128_ps(dy, 1),
        _mm256_extractf128_ps(dz, 1));
    any = (_mm256_movemask_pd(low) | _mm256_movemask_pd(high)) != 0;
    // All-ones double lanes narrow to negative NaNs, whose sign bits make
    // the blend mask.
    return _mm256_set_m128(_mm256_cvtpd_ps(high), _mm256_cvtpd_ps(low));
}

MORVA_AVX2 void ApplyStep(Lanes& v, TileStep const& step)
{
    __m256d const factor = _mm256_set1_pd(step.factor);
    if (!step.tested) {
        v.x = ScaleLanes(v.x, factor);
        v.y = ScaleLanes(v.y, factor);
        v.z = ScaleLanes(v.z, factor);
        return;
    }
    bool any = false;
    __m256 const beyond = BeyondMask(v, step, any);
    if (!any)
        return;
    v.x = _mm256_blendv_ps(v.x, ScaleLanes(v.x, factor), beyond);
    v.y = _mm256_blendv_ps(v.y, ScaleLanes(v.y, factor), beyond);
    v.z = _mm256_blendv_ps(v.z, ScaleLanes(v.z, factor), beyond);
}

__attribute__((target("avx2"))) void ApplyStepsToTileAvx2(TileSpan const& tile, TileStep const* steps, int stepCount)
{
    constexpr int LANES = 8;
    for (int i = 0; i < tile.rows; ++i) {
        GlobePoint* run = tile.first + i * tile.stride;
        int j = 0;
        // Sixteen points at once: two independent chains per step.
        for (; j + 2 * LANES <= tile.width; j += 2 * LANES) {
            Lanes a = LoadLanes(run + j);
            Lanes b = LoadLanes(run + j + LANES);
            for (int s = 0; s < stepCount; ++s) {
                ApplyStep(a, steps[s]);
                ApplyStep(b, steps[s]);
            }
            StoreLanes(run + j, a);
            StoreLanes(run + j + LANES, b);
        }
        for (; j + LANES <= tile.width; j += LANES) {
            Lanes a = LoadLanes(run + j);
            for (int s = 0; s < stepCount; ++s)
                ApplyStep(a, steps[s]);
            StoreLanes(run + j, a);
        }
        for (; j < tile.width; ++j)
            run[j] = ApplySteps(run[j], steps, stepCount);
    }
}

struct MeasureLanes {
    __m256d minR2;
    __m256d maxR2;
    __m256d minAxial;
    __m256d maxPerp;
};

MORVA_AVX2 void AddToMeasure(MeasureLanes& m, __m256d ax, __m256d ay, __m256d az, __m128 fx, __m128 fy, __m128 fz)
{
    __m256d const x = _mm256_cvtps_pd(fx);
    __m256d const y = _mm256_cvtps_pd(fy);
    __m256d const z = _mm256_cvtps_pd(fz);
    __m256d const r2 = _mm256_add_pd(_mm256_add_pd(_mm256_mul_pd(x, x), _mm256_mul_pd(y, y)), _mm256_mul_pd(z, z));
    __m256d const axial = _mm256_add_pd(_mm256_add_pd(_mm256_mul_pd(ax, x), _mm256_mul_pd(ay, y)), _mm256_mul_pd(az, z));
    __m256d const perp = _mm256_sub_pd(r2, _mm256_mul_pd(axial, axial));
    m.minR2 = _mm256_min_pd(m.minR2, r2);
    m.maxR2 = _mm256_max_pd(m.maxR2, r2);
    m.minAxial = _mm256_min_pd(m.minAxial, axial);
    m.maxPerp = _mm256_max_pd(m.maxPerp, perp);
}

__attribute__((target("avx2"))) TileMeasure MeasureTileAvx2(TileSpan const& tile, double ax, double ay, double az)
{
    constexpr int LANES = 8;
    __m256d const vax = _mm256_set1_pd(ax);
    __m256d const vay = _mm256_set1_pd(ay);
    __m256d const vaz = _mm256_set1_pd(az);
    MeasureLanes m { _mm256_set1_pd(1e300), _mm256_setzero_pd(), _mm256_set1_pd(1e300), _mm256_setzero_pd() };
    MeasureAccumulator tail;
    for (int i = 0; i < tile.rows; ++i) {
        GlobePoint const* run = tile.first + i * tile.stride;
        int j = 0;
        for (; j + LANES <= tile.width; j += LANES) {
            Lanes const v = LoadLanes(run + j);
            AddToMeasure(m, vax, vay, vaz, _mm256_castps256_ps128(v.x), _mm256_castps256_ps128(v.y),
                _mm256_castps256_ps128(v.z));
            AddToMeasure(m, vax, vay, vaz, _mm256_extractf128_ps(v.x, 1), _mm256_extractf128_ps(v.y, 1),
                _mm256_extractf128_ps(v.z, 1));
        }
        for (; j < tile.width; ++j)
            tail.Add(run[j], ax, ay, az);
    }
    alignas(32) double lanes[4][4];
    _mm256_store_pd(lanes[0], m.minR2);
    _mm256_store_pd(lanes[1], m.maxR2);
    _mm256_store_pd(lanes[2], m.minAxial);
    _mm256_store_pd(lanes[3], m.maxPerp);
    TileMeasure measure = tail.Result();
    for (int k = 0; k < 4; ++k) {
        measure.minRadiusSquared = lanes[0][k] < measure.minRadiusSquared ? lanes[0][k] : measure.minRadiusSquared;
        measure.maxRadiusSquared = lanes[1][k] > measure.maxRadiusSquared ? lanes[1][k] : measure.maxRadiusSquared;
        measure.minAxial = lanes[2][k] < measure.minAxial ? lanes[2][k] : measure.minAxial;
        measure.maxPerpendicularSquared
            = lanes[3][k] > measure.maxPerpendicularSquared ? lanes[3][k] : measure.maxPerpendicularSquared;
    }
    return measure;
}

#endif

}

void ApplyStepsToTile(TileSpan const& tile, TileStep const* steps, int stepCount, CutKernel kernel)
{
#ifdef MORVA_HAVE_X86_KERNELS
    if (kernel == CutKernel::Fastest && CpuHasAvx2())
        return ApplyStepsToTileAvx2(tile, steps, stepCount);
#else
    (void)kernel;
#endif
    ApplyStepsToTilePortable(tile, steps, stepCount);
}

TileMeasure MeasureTile(TileSpan const& tile, double axisX, double axisY, double axisZ, CutKernel kernel)
{
#ifdef MORVA_HAVE_X86_KERNELS
    if (kernel == CutKernel::Fastest && CpuHasAvx2())
        return MeasureTileAvx2(tile, axisX, axisY, axisZ);
#else
    (void)kernel;
#endif
    return MeasureTilePortable(tile, axisX, axisY, axisZ);
}
