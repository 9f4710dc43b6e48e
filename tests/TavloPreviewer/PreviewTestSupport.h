// Small documents written out as XML for the preview tests, read back with
// the real reader so the tests see the tree the preview sees.
#pragma once

#include <memory>
#include <string>

#include "TavloData/MerrinColorFileReader.h"
#include "TavloData/MerrinColorProject.h"

namespace tavlo::previewer::testing {

inline std::string colorXml(const std::string& name, const std::string& rgba = "0.2 0.4 0.6 1") {
  return "<colorItem><name>" + name + "</name><profile>sRGB</profile><color><variants><variant><rgba>" +
         rgba + "</rgba></variant></variants></color></colorItem>";
}

inline std::string numberXml(const std::string& name, const std::string& value = "8") {
  return "<numberItem><name>" + name + "</name><number><variants><variant><value>" + value +
         "</value></variant></variants></number></numberItem>";
}

inline std::string groupXml(const std::string& name, const std::string& children = "") {
  return "<group><name>" + name + "</name>" + children + "</group>";
}

inline std::string documentXml(const std::string& items) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<tavlo><project><colorItems>" + items +
         "</colorItems></project></tavlo>\n";
}

inline std::shared_ptr<MerrinColorProject> readDocument(const std::string& items) {
  return MerrinColorFileReader().parse(documentXml(items));
}

}  // namespace tavlo::previewer::testing
