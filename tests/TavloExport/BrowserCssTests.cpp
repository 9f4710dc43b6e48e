// Generated CSS in a real browser: under each of the four appearances, the
// computed value of every custom property must be the item's display
// variant. Dark comes from the browser's own colour-scheme preference; the
// contrast preference has no command-line switch in headless Chromium, so
// each page turns the file's contrast query on or off by rewriting it into
// a width query that is always or never true. The cascade the file relies
// on is left exactly as written.
#include <nlohmann/json.hpp>

#include <cstdio>
#include <regex>
#include <string>

#include "ExportTestSupport.h"
#include "MerrinColorUtils/platform/PlatformColor.h"
#include "TavloExport/ColorTexts.h"

namespace exporttest {
namespace {

using tavlo::ColorSource;
using tavlo::exports::ShadowValue;
using tavlo::exports::Token;
using tavlo::exports::TokenKind;
using tavlo::exports::TokenValue;

// The colour as CSS from its own components, not through the converter.
std::string colorLiteral(const mcu::PlatformColor& color) {
  const bool p3 = color.colorSpace() == mcu::PlatformColorSpace::displayP3();
  char text[160];
  std::snprintf(text, sizeof text, "color(%s %.6f %.6f %.6f / %.6f)", p3 ? "display-p3" : "srgb",
                color.redComponent(), color.greenComponent(), color.blueComponent(), color.alphaComponent());
  return text;
}

std::string jsString(const std::string& text) {
  return nlohmann::json(text).dump();
}

// What the page expects of one property: its kind and the expected value.
std::string expectation(const ExportJob& job, const Token& token, ColorSource appearance) {
  const TokenValue& value = token.displayValue(appearance);
  std::string kind, expected;
  if (const auto* color = std::get_if<mcu::PlatformColor>(&value)) {
    kind = "color", expected = jsString(colorLiteral(*color));
  } else if (const auto* shadow = std::get_if<ShadowValue>(&value)) {
    char lengths[160];
    std::snprintf(lengths, sizeof lengths, "%.6fpx %.6fpx %.6fpx %.6fpx ", shadow->xOffset, shadow->yOffset,
                  std::max(0.0, shadow->blur), shadow->spread);
    kind = "shadow", expected = jsString(lengths + colorLiteral(shadow->color));
  } else if (const auto* number = std::get_if<double>(&value)) {
    kind = "number", expected = std::to_string(*number);
  } else if (const auto* boolean = std::get_if<bool>(&value)) {
    kind = "text", expected = jsString(*boolean ? "true" : "false");
  } else {
    kind = "string", expected = jsString(std::get<std::string>(value));
  }
  return "{n:" + jsString(job.name(token)) + ",k:\"" + kind + "\",e:" + expected + "}";
}

// Compares computed values in extended sRGB with a tolerance of a hex step.
constexpr const char* kCheckScript = R"JS(
function lin(v){const a=Math.abs(v);const l=a<=0.04045?a/12.92:Math.pow((a+0.055)/1.055,2.4);return Math.sign(v)*l;}
function enc(v){const a=Math.abs(v);const e=a<=0.0031308?a*12.92:1.055*Math.pow(a,1/2.4)-0.055;return Math.sign(v)*e;}
function p3(c){const l=c.map(lin);return [1.2249401*l[0]-0.2249404*l[1],-0.0420569*l[0]+1.0420571*l[1],
  -0.0196376*l[0]-0.0786361*l[1]+1.0982735*l[2]].map(enc);}
function color(s){let m=s.match(/^rgba?\(([^)]*)\)$/);
  if(m){const v=m[1].split(/[ ,\/]+/).filter(x=>x).map(Number);return [v[0]/255,v[1]/255,v[2]/255,v.length>3?v[3]:1];}
  m=s.match(/^color\((srgb|display-p3) ([^)]*)\)$/);
  if(m){const v=m[2].split(/[ \/]+/).filter(x=>x).map(Number);const c=m[1]=='srgb'?v.slice(0,3):p3(v.slice(0,3));
    return [c[0],c[1],c[2],v.length>3?v[3]:1];}
  return null;}
function shadow(s){const m=s.match(/^(rgba?\([^)]*\)|color\([^)]*\)) (.*)$/)||s.match(/^(.*?) (rgba?\([^)]*\)|color\([^)]*\))$/);
  if(!m)return null;const colorFirst=m[1].includes('(');const c=color(colorFirst?m[1]:m[2]);
  const lengths=(colorFirst?m[2]:m[1]).split(' ').map(parseFloat);return c?c.concat(lengths):null;}
function near(a,b,t){if(!a||!b||a.length!=b.length)return false;for(let i=0;i<a.length;i++)if(!(Math.abs(a[i]-b[i])<=t))return false;return true;}
const out=[];const root=getComputedStyle(document.documentElement);
for(const d of data){const el=document.createElement('div');const ex=document.createElement('div');
  document.body.appendChild(el);document.body.appendChild(ex);const v='var(--'+CSS.escape(d.n)+')';let ok,got;
  if(d.k=='color'){el.style.color=v;ex.style.color=d.e;got=getComputedStyle(el).color;ok=near(color(got),color(getComputedStyle(ex).color),0.004);}
  else if(d.k=='shadow'){el.style.boxShadow=v;ex.style.boxShadow=d.e;got=getComputedStyle(el).boxShadow;ok=near(shadow(got),shadow(getComputedStyle(ex).boxShadow),0.004);}
  else{got=root.getPropertyValue('--'+d.n).trim();
    if(d.k=='number')ok=Math.abs(parseFloat(got)-d.e)<=0.0001;else if(d.k=='string')ok=got==JSON.stringify(d.e);else ok=got==d.e;}
  if(!ok)out.push('wrong '+d.n+': '+got+' for '+d.e);}
out.push('checked '+data.length);document.getElementById('out').textContent=out.join('\n');
)JS";

std::string chromium() {
  for (const char* name : {"chromium", "chromium-browser", "google-chrome"})
    if (haveProgram(name)) return name;
  return "";
}

TEST(BrowserCss, EveryPropertyComputesToTheDisplayVariantUnderEachAppearance) {
  const std::string browser = chromium();
  if (browser.empty())
    GTEST_SKIP() << "Chromium is not installed: the CSS files are not checked in a browser";
  auto project = readDocument(slurp(showcasePath()));
  Scratch scratch;
  for (const std::string taskName : {"CSS", "CSS light-dark"}) {
    TaskRun run = runTask(*project, taskName);
    ASSERT_EQ(run.files.size(), 1u) << taskName;
    EXPECT_EQ(run.errors(), "") << taskName;
    ExportJob job(*project, *project->buildGroups().front(), *taskNamed(*project, taskName), showcasePath());
    ASSERT_GT(job.tokens().size(), 50u);

    for (ColorSource appearance : tavlo::exports::exportAppearances) {
      SCOPED_TRACE(taskName + " under appearance " + std::to_string(static_cast<int>(appearance)));
      const bool dark = appearance == ColorSource::dark || appearance == ColorSource::darkHighContrast;
      const bool contrast =
          appearance == ColorSource::lightHighContrast || appearance == ColorSource::darkHighContrast;
      const std::string css =
          std::regex_replace(run.files[0].bytes, std::regex(R"(\(prefers-contrast: more\))"),
                             contrast ? "(min-width: 1px)" : "(max-width: 1px)");
      std::string data = "const data=[";
      for (const Token& token : job.tokens()) data += expectation(job, token, appearance) + ",\n";
      data += "];";
      const fs::path page = scratch / ("page-" + std::to_string(static_cast<int>(appearance)) + ".html");
      spit(page, "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><style>\n" + css +
                     "\n</style></head><body><pre id=\"out\"></pre><script>\n" + data + kCheckScript +
                     "</script></body></html>\n");
      const fs::path profile = scratch / ("profile-" + std::to_string(static_cast<int>(appearance)));
      const auto result =
          runCommand("timeout 120 " + browser +
                     " --headless --no-sandbox --disable-gpu --disable-quic --no-first-run "
                     "--disable-background-networking"
                     " --disable-component-update --disable-sync --user-data-dir=" +
                     profile.string() + (dark ? " --blink-settings=preferredColorScheme=0" : "") +
                     " --dump-dom file://" + page.string() + " 2>/dev/null");
      std::smatch found;
      ASSERT_TRUE(std::regex_search(result.out, found, std::regex(R"(<pre id="out">([^<]*)</pre>)")))
          << result.out.substr(0, 2000);
      EXPECT_EQ(found[1].str(), "checked " + std::to_string(job.tokens().size()));
    }
  }
}

}  // namespace
}  // namespace exporttest
