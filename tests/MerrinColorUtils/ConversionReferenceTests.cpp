// Conversions checked against values computed independently from the
// published primaries, white point, transfer curve and OKLab matrices by
// reference_values.py (exact rational matrices, 50-digit decimals).
#include <array>
#include <cmath>

#include "ColorTestSupport.h"
#include "MerrinColorUtils/ColorOperations.h"
#include "MerrinColorUtils/MCUColor.h"
#include "MerrinColorUtils/RawValues.h"

namespace mcu {
namespace {

using namespace testing;

using Triple = std::array<double, 3>;

constexpr double kTolerance = 1e-9;
// The curve's two published thresholds (0.04045 encoded, 0.0031308 linear)
// do not meet exactly, so near the knee the branches differ by about 1e-9.
constexpr double kKneeTolerance = 1e-7;

struct RGBCase {
  Triple in;
  Triple out;
};

void expectTriple(const Triple& actual, const Triple& expected, double tolerance) {
  for (std::size_t i = 0; i < 3; ++i)
    EXPECT_NEAR(actual[i], expected[i], tolerance)
        << "component " << i << " of " << expected[0] << " " << expected[1] << " " << expected[2];
}

void expectConverts(const PlatformColorSpace& from, const PlatformColorSpace& to, const RGBCase& c) {
  const PlatformColor color = PlatformColor::colorWithColorSpace(from, {c.in[0], c.in[1], c.in[2], 0.5});
  const auto converted = color.colorUsingColorSpace(to);
  ASSERT_TRUE(converted);
  EXPECT_EQ(converted->colorSpace(), to);
  expectTriple({converted->redComponent(), converted->greenComponent(), converted->blueComponent()}, c.out,
               kTolerance);
  EXPECT_EQ(converted->alphaComponent(), 0.5) << color;
}

TEST(ConversionReference, SRGBToDisplayP3) {
  const RGBCase cases[] = {
      {{1, 0, 0}, {0.91748755732516574, 0.20028680774084712, 0.13856059121111408}},
      {{0, 1, 0}, {0.45840159019103022, 0.9852645833250544, 0.29829470783345857}},
      {{0, 0, 1}, {0, 0, 0.95958802667580967}},
      {{0.5, 0.25, 0.75}, {0.46737077543602007, 0.26313097327871071, 0.72411840244373238}},
      {{0.2, 0.8, 0.4}, {0.40222030625637734, 0.78871888602222506, 0.44329826777846293}},
      {{1, 1, 1}, {1, 1, 1}},
  };
  for (const auto& c : cases) {
    expectConverts(PlatformColorSpace::sRGB(), PlatformColorSpace::displayP3(), c);
    // The extended variant has the same curve and primaries.
    expectConverts(PlatformColorSpace::extendedSRGB(), PlatformColorSpace::extendedDisplayP3(), c);
  }
}

TEST(ConversionReference, DisplayP3ToExtendedSRGBKeepsOutOfGamutValues) {
  const RGBCase cases[] = {
      {{1, 0, 0}, {1.0930663624351615, -0.22674197356975415, -0.15013458093711957}},
      {{0, 1, 0}, {-0.51160498258534493, 1.0182656579378027, -0.31067462129058276}},
      {{0.3, 0.6, 0.9}, {0.14309729816874303, 0.6087569610236877, 0.92525034354498603}},
      {{0.9, 0.9, 0.1}, {0.9, 0.9, -0.28573628706399995}},
  };
  for (const auto& c : cases) {
    expectConverts(PlatformColorSpace::displayP3(), PlatformColorSpace::extendedSRGB(), c);
    // And back: extended sRGB holds the whole P3 colour.
    expectConverts(PlatformColorSpace::extendedSRGB(), PlatformColorSpace::displayP3(), {c.out, c.in});
  }
}

TEST(ConversionReference, DisplayP3ToSRGBClips) {
  expectConverts(PlatformColorSpace::displayP3(), PlatformColorSpace::sRGB(), {{1, 0, 0}, {1, 0, 0}});
  expectConverts(PlatformColorSpace::displayP3(), PlatformColorSpace::sRGB(),
                 {{0.9, 0.9, 0.1}, {0.9, 0.9, 0}});
}

struct CurveCase {
  double in;
  double out;
  double tolerance;
};

TEST(ConversionReference, EncodedToLinear) {
  const CurveCase cases[] = {
      {0, 0, kTolerance},
      {0.02, 0.0015479876160990713, kTolerance},
      {0.04045, 0.0031308049535603713, kKneeTolerance},
      {0.0405, 0.0031347447859034067, kKneeTolerance},
      {0.25, 0.050876088171556789, kTolerance},
      {0.5, 0.21404114048223244, kTolerance},
      {1, 1, kTolerance},
      {1.5, 2.5371552393915171, kTolerance},
      {-0.5, -0.21404114048223244, kTolerance},
      {-0.04, -0.0030959752321981426, kKneeTolerance},
  };
  for (const auto& c : cases) {
    const auto decoded =
        extended(c.in, 0.5, c.in).colorUsingColorSpace(PlatformColorSpace::extendedLinearSRGB());
    ASSERT_TRUE(decoded);
    EXPECT_NEAR(decoded->redComponent(), c.out, c.tolerance) << c.in;
    EXPECT_NEAR(decoded->blueComponent(), c.out, c.tolerance) << c.in;
    EXPECT_NEAR(decoded->greenComponent(), 0.21404114048223244, kTolerance);
  }
}

TEST(ConversionReference, LinearToEncoded) {
  const CurveCase cases[] = {
      {0.001, 0.012919999999999999, kTolerance},      {0.0031308, 0.040449935999999999, kKneeTolerance},
      {0.00314, 0.04056667578498184, kKneeTolerance}, {0.18, 0.46135612950044164, kTolerance},
      {0.5, 0.73535698305244945, kTolerance},         {2, 1.3532560461493863, kTolerance},
      {-0.25, -0.53709873048319423, kTolerance},
  };
  for (const auto& c : cases) {
    const auto encoded = linear(c.in, c.in, c.in, 1).colorUsingColorSpace(PlatformColorSpace::extendedSRGB());
    ASSERT_TRUE(encoded);
    EXPECT_NEAR(encoded->redComponent(), c.out, c.tolerance) << c.in;
    EXPECT_NEAR(encoded->greenComponent(), c.out, c.tolerance) << c.in;
  }
}

struct OKCase {
  Triple linear;
  Triple lab;
  Triple lch;
};

const OKCase kOKCases[] = {
    {{1, 1, 1},
     {0.99999999347354607, 8.095307350269844e-11, 3.7273907607792462e-08},
     {0.99999999347354607, 3.7273995516369835e-08, 1.5686244872584492}},
    {{1, 0, 0},
     {0.62795536061455159, 0.2248630610659742, 0.12584629853073512},
     {0.62795536061455159, 0.25768330773615689, 0.51022754975639439}},
    {{0, 1, 0},
     {0.86643961153566951, -0.23388757418790787, 0.17949847989672996},
     {0.86643961153566951, 0.29482724033701646, 2.4870128323373977}},
    {{0, 0, 1},
     {0.45201371838534288, -0.032456984168763768, -0.31152814767837511},
     {0.45201371838534288, 0.31321437166460109, -1.6746081505015074}},
    {{0.25, 0.5, 0.75},
     {0.77154681555915883, -0.036802012453199945, -0.065717176595174592},
     {0.77154681555915883, 0.075320219199407845, -2.0812892076917966}},
    {{1.2, -0.1, -0.05},
     {0.60721379591512603, 0.29110428111331121, 0.17197475550034341},
     {0.60721379591512603, 0.33810799903566408, 0.53360274753664794}},
    {{-0.2, 0.3, 0.9},
     {0.60720304890246979, -0.17161950375308793, -0.18307442715251648},
     {0.60720304890246979, 0.25093724304231568, -2.3239104772301613}},
};

TEST(ConversionReference, LinearSRGBToOKLabAndOKLCH) {
  for (const auto& c : kOKCases) {
    const auto [r, g, b] = c.linear;
    const RawLABValues lab = RawLABValues::fromLinearSRGB(r, g, b, 0.25);
    expectTriple({lab.l, lab.a, lab.b}, c.lab, kTolerance);
    EXPECT_EQ(lab.alpha, 0.25);

    const RawLCHValues lch = RawLCHValues::linearsRGBToOKLCH(r, g, b, 0.25);
    EXPECT_NEAR(lch.lightness, c.lch[0], kTolerance);
    EXPECT_NEAR(lch.chroma, c.lch[1], kTolerance);
    // The hue of a grey rests on a, b of 1e-8 and carries no meaning.
    if (c.lch[1] > 1e-6) {
      EXPECT_NEAR(lch.hue, c.lch[2], kTolerance) << r << " " << g << " " << b;
    }

    // The platform-colour entry points read the components as linear.
    EXPECT_EQ(linearsRGBToOKLAB(linear(r, g, b, 0.25)), lab);
    EXPECT_EQ(linearSRGBtoOKLCH(linear(r, g, b, 0.25)), lch);
  }
}

TEST(ConversionReference, OKLabRoundTripIsUnclamped) {
  for (const auto& c : kOKCases) {
    const auto [r, g, b] = c.linear;
    const RawRGBValues back = RawLABValues::fromLinearSRGB(r, g, b, 1).toLinearSRGB();
    expectTriple({back.red, back.green, back.blue}, c.linear, 1e-6);
    const RawRGBValues viaLCH = RawLCHValues::linearsRGBToOKLCH(r, g, b, 1).toLinearSRGB();
    expectTriple({viaLCH.red, viaLCH.green, viaLCH.blue}, c.linear, 1e-6);
    const RawRGBValues viaRecord = RawRGBValues(c.lab[0], c.lab[1], c.lab[2], 1).oklabToLinearsRGB();
    EXPECT_NEAR(viaRecord.blue, b, 1e-6);
  }
}

TEST(ConversionReference, SRGBToOKLCHThroughTheWorkingSpace) {
  const RGBCase cases[] = {
      {{1, 0, 0}, {0.62795536061455159, 0.25768330773615689, 0.51022754975639439}},
      {{0.5, 0.25, 0.75}, {0.51522365538496029, 0.19165575249412631, -0.99143781409452014}},
      {{0.03, 0.04, 0.05}, {0.14385280359204289, 0.0072112923004988326, -1.9824647501592474}},
  };
  for (const auto& c : cases) {
    const MCUColor color(srgb(c.in[0], c.in[1], c.in[2], 1), ColorSpace::oklch);
    ASSERT_EQ(color.colorSpace(), ColorSpace::oklch);
    ASSERT_TRUE(color.lchValues());
    const RawLCHValues lch = *color.lchValues();
    expectTriple({lch.lightness, lch.chroma, lch.hue}, c.out, kTolerance);
  }
}

}  // namespace
}  // namespace mcu
