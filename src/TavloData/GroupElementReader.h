// Reading the document's build groups and test groups. Groups are always
// kept; a task or test without a usable type is dropped from its group.
#pragma once

#include "xmltree/XML.h"

#include <memory>

namespace tavlo {

class BuildGroup;
class BuildTask;
class TestGroup;
class TestTask;

// A child of `buildGroups`, whatever its name. A group's identifier is taken
// as written (the empty text when missing) unless generateNewIds is set.
std::shared_ptr<BuildGroup> parseBuildGroup(const xmltree::XML& element, bool generateNewIds);
// A child of `tasks`; empty when the task has no usable fileType or nameTransform.
std::shared_ptr<BuildTask> parseBuildTask(const xmltree::XML& element, bool generateNewIds);
// A child of `testGroups`, whatever its name.
std::shared_ptr<TestGroup> parseTestGroup(const xmltree::XML& element, bool generateNewIds);
// A child of `tests`; empty when the test has no usable type.
std::shared_ptr<TestTask> parseTestTask(const xmltree::XML& element, bool generateNewIds);

}  // namespace tavlo
