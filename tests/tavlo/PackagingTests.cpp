// What ships beside the command: the manual page, the bash completion and the
// Debian package, each checked against what the built command itself offers.
#include <set>

#include "ToolSupport.h"

namespace {

using namespace tooltest;

using Words = std::set<std::string>;

const std::string manPage = TAVLO_SOURCE_DIR "/docs/tavlo.1";
const std::string completion = TAVLO_SOURCE_DIR "/data/completions/tavlo";

bool onPath(const std::string& program) {
  return run({"sh", "-c", "command -v " + program}).status == 0;
}

// The names `tavlo ARGS --help` lists in its SECTION ("Subcommands" or
// "Options"): the first word of each entry; for options only the long names.
Words helpNames(Args args, const std::string& section) {
  args.push_back("--help");
  const ToolRun help = tavlo(args);
  EXPECT_EQ(help.status, 0) << help.err;
  Words names;
  std::istringstream lines(help.out);
  bool inSection = false;
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line[0] != ' ') {
      inSection = line == section + ":";
      continue;
    }
    if (!inSection || line.size() < 3 || line[2] == ' ') continue;
    std::istringstream entry(line.substr(2, line.find(' ', 2) - 2));
    for (std::string name; std::getline(entry, name, ',');)
      if (section == "Subcommands" || name.starts_with("--")) names.insert(name);
  }
  return names;
}

// What the completion offers for the command line WORDS, the last being the
// word under the cursor.
Words completions(const Args& words) {
  Args command{"bash", "--norc", "-c",
               "source \"$0\"; COMP_WORDS=(\"$@\"); COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); _tavlo; "
               "printf '%s\\n' \"${COMPREPLY[@]}\"",
               completion};
  command.insert(command.end(), words.begin(), words.end());
  const ToolRun shell = run(command);
  EXPECT_EQ(shell.status, 0) << shell.err;
  Words offered;
  std::istringstream lines(shell.out);
  for (std::string line; std::getline(lines, line);)
    if (!line.empty()) offered.insert(line);
  return offered;
}

// Every subcommand with the words that name it, nested ones included.
std::vector<Args> subcommands() {
  std::vector<Args> all;
  for (const std::string& name : helpNames({}, "Subcommands")) {
    all.push_back({name});
    for (const std::string& nested : helpNames({name}, "Subcommands")) all.push_back({name, nested});
  }
  return all;
}

TEST(Completion, OffersEverySubcommandAndItsOptions) {
  Words top = helpNames({}, "Subcommands");
  top.insert({"--help", "--version"});
  EXPECT_EQ(completions({"tavlo", ""}), top);
  EXPECT_EQ(completions({"tavlo", "col"}), Words{"color"});

  for (const Args& sub : subcommands()) {
    SCOPED_TRACE(sub.back());
    Args words{"tavlo"};
    words.insert(words.end(), sub.begin(), sub.end());
    words.push_back("--");
    EXPECT_EQ(completions(words), helpNames(sub, "Options"));
  }
  EXPECT_EQ(completions({"tavlo", "preview", "x.tavlo", "--variant", "dark"}),
            (Words{"dark", "darkHighContrast"}));
  EXPECT_EQ(completions({"tavlo", "color", "convert", "x", "--to", "cssOK"}),
            (Words{"cssOKLAB", "cssOKLCH"}));
}

TEST(ManPage, FormatsWithoutWarningsAndDocumentsEveryOption) {
  if (!onPath("man")) GTEST_SKIP() << "man is not installed (scripts/setup --test installs man-db)";
  const ToolRun man = run({"env", "MANWIDTH=200", "man", "--warnings", "-l", manPage});
  ASSERT_EQ(man.status, 0) << man.err;
  EXPECT_EQ(man.err, "");
  EXPECT_NE(man.out.find("tavlo-viewer FILE"), std::string::npos);
  for (const Args& sub : subcommands()) {
    std::string synopsis = "tavlo";
    for (const std::string& word : sub) synopsis += " " + word;
    EXPECT_NE(man.out.find(synopsis), std::string::npos) << synopsis;
    for (const std::string& option : helpNames(sub, "Options")) {
      if (option == "--help") continue;
      EXPECT_NE(man.out.find(option), std::string::npos) << synopsis << " " << option;
    }
  }
}

// The package built from this build folder, unpacked into a scratch root: the
// command runs from there and finds everything it needs.
TEST(DebianPackage, InstallsTheCommandItsFilesAndDependencies) {
  const fs::path build = fs::path(TAVLO_BIN).parent_path().parent_path();
  if (!onPath("cpack") || !onPath("dpkg-deb") || !fs::exists(build / "CPackConfig.cmake"))
    GTEST_SKIP() << "needs cpack, dpkg-deb and a configured build folder";
  ScratchFolder scratch;
  const fs::path packages = scratch.path() / "packages";
  // gzip rather than xz: the package is made only to be unpacked again.
  const ToolRun cpack =
      run({"cpack", "-G", "DEB", "-B", packages.string(), "--config", (build / "CPackConfig.cmake").string(),
           "-D", "CPACK_DEBIAN_COMPRESSION_TYPE=gzip"},
          build, std::chrono::seconds(600));
  ASSERT_EQ(cpack.status, 0) << cpack.out << cpack.err;
  fs::path deb;
  for (const auto& entry : fs::directory_iterator(packages))
    if (entry.path().extension() == ".deb") deb = entry.path();
  ASSERT_FALSE(deb.empty()) << cpack.out;

  const ToolRun depends = run({"dpkg-deb", "--field", deb.string(), "Depends"});
  for (const char* package : {"fonts-inter | fonts-dejavu-core", "libcairo2", "libpango-1.0-0", "libicu"})
    EXPECT_NE(depends.out.find(package), std::string::npos) << package << " in " << depends.out;

  const fs::path root = scratch.path() / "root";
  ASSERT_EQ(run({"dpkg-deb", "-x", deb.string(), root.string()}).status, 0);
  for (const char* file :
       {"usr/bin/tavlo", "usr/share/man/man1/tavlo.1", "usr/share/bash-completion/completions/tavlo",
        "usr/share/mime/packages/tavlo.xml", "usr/share/thumbnailers/tavlo.thumbnailer",
        "usr/share/doc/tavlo/tavlo.md", "usr/share/doc/tavlo/dump-format.md"})
    EXPECT_TRUE(fs::exists(root / file)) << file;

  const std::string installed = (root / "usr/bin/tavlo").string();
  const ToolRun version = run({installed, "--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_TRUE(version.out.starts_with("tavlo ")) << version.out;
  const ToolRun stats = run({installed, "stats", TAVLO_SOURCE_DIR "/examples/showcase.tavlo"});
  EXPECT_EQ(stats.status, 0) << stats.err;
  EXPECT_TRUE(stats.out.starts_with("colorItemCount: ")) << stats.out;
}

}  // namespace
