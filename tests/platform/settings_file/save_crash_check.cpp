// Kills saving processes at random moments, then lets two processes save at
// once, and checks the settings file after every step: always one complete
// version, never torn, never older than a save that had returned, no
// temporary file left after the next save, no change of one process lost to
// the other. Usage: tagsmit_save_crash_check KILLS SAVES (each of two
// processes saves SAVES times). Prints its figures; exits 1 on any fault.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "platform/settings_file/settings_file_store.h"
#include "temp_dir.h"

namespace tagsmit::testing {
namespace {

constexpr const char* kKeys[] = {"version",   "ClipStr",      "ClipStrNo", "NotyfyErr", "Test",
                                 "LowerCase", "RelativePath", "FixedPath", "BasePath"};

// The nine values of one save, each marked with its generation; the list is
// large enough that a kill often falls in the middle of writing it.
std::vector<SettingsEntry> Version(long generation) {
  std::vector<SettingsEntry> entries;
  for (const char* key : kKeys) {
    std::string value = std::to_string(generation);
    if (std::string(key) == "ClipStr") value += std::string(64 * 1024, 'x');
    entries.emplace_back(key, value);
  }
  return entries;
}

// The generation the section holds, -1 when there is no section, -2 when it
// is not one complete version.
long GenerationOf(SettingsStore& store, const std::string& section) {
  const std::vector<SettingsEntry> entries = store.GetAll("tagsmit", section);
  if (entries.empty()) return -1;
  if (entries.size() != std::size(kKeys)) return -2;
  const long generation = std::atol(entries[0].second.c_str());
  return entries == Version(generation) ? generation : -2;
}

int Faults(const char* what, int count) {
  if (count != 0) std::printf("FAULT: %s: %d\n", what, count);
  return count;
}

struct Saver {
  pid_t pid;
  int report;  // the generations whose saves returned, as they return
};

// A child process that saves generations first, first + 1, ... of `section`
// until it is killed or `count` are done.
Saver StartSaver(const std::string& section, long first, long count) {
  int report[2];
  if (pipe(report) != 0) std::abort();
  const pid_t pid = fork();
  if (pid == 0) {
    close(report[0]);
    SettingsFileStore store;
    for (long generation = first; generation < first + count; ++generation) {
      if (Status saved = store.Save("tagsmit", section, Version(generation)); !saved.ok()) {
        std::fprintf(stderr, "%s\n", saved.error().c_str());
        _exit(2);
      }
      if (write(report[1], &generation, sizeof generation) != sizeof generation) _exit(3);
    }
    _exit(0);
  }
  close(report[1]);
  return {pid, report[0]};
}

// The last generation the ended saver reported, or -1.
long LastReported(const Saver& saver) {
  long generation = -1, got = 0;
  while (read(saver.report, &got, sizeof got) == sizeof got) generation = got;
  close(saver.report);
  return generation;
}

int FilesIn(const std::filesystem::path& folder) {
  return static_cast<int>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

int KillWhileSaving(int kills, const std::filesystem::path& folder) {
  SettingsFileStore store;
  // Kills fall anywhere within the first few saves of a child.
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < 5; ++i) {
    if (!store.Save("tagsmit", "init", Version(i)).ok()) return 1;
  }
  const auto save_us = std::chrono::duration_cast<std::chrono::microseconds>(
                           std::chrono::steady_clock::now() - start)
                           .count() /
                       5;
  std::mt19937 random(std::random_device{}());
  long durable = 4;  // the newest generation whose save had returned
  int torn = 0, lost = 0, leftovers = 0;
  for (int round = 0; round < kills; ++round) {
    const Saver saver = StartSaver("init", (round + 1) * 1'000'000L, 1'000'000);
    std::this_thread::sleep_for(std::chrono::microseconds(random() % (3 * save_us + 1)));
    kill(saver.pid, SIGKILL);
    waitpid(saver.pid, nullptr, 0);
    durable = std::max(durable, LastReported(saver));

    const long found = GenerationOf(store, "init");
    if (found == -2) ++torn;
    if (found < durable) ++lost;
    if (FilesIn(folder) > 2) ++leftovers;  // more than the one save just killed can have left
  }
  // The next save clears whatever the killed ones left.
  if (!store.Save("tagsmit", "init", Version(0)).ok()) return 1;
  const int names = FilesIn(folder);
  std::printf("kills: %d, torn files: %d, lost saves: %d\n", kills, torn, lost);
  return Faults("torn", torn) + Faults("lost", lost) + Faults("leftovers", leftovers) +
         Faults("files after the next save", names - 1);
}

int SaveAtOnce(long saves) {
  const char* sections[2] = {"a", "b"};
  const Saver savers[2] = {StartSaver(sections[0], 0, saves), StartSaver(sections[1], 0, saves)};
  // Read while they save: every read finds complete versions.
  SettingsFileStore store;
  int reads = 0, torn = 0, failed = 0;
  for (int running = 2; running > 0;) {
    for (const char* section : sections) torn += GenerationOf(store, section) == -2;
    ++reads;
    running = 0;
    for (const Saver& saver : savers) running += waitpid(saver.pid, nullptr, WNOHANG) == 0;
  }
  int lost = 0;
  for (int i = 0; i < 2; ++i) {
    if (LastReported(savers[i]) != saves - 1) ++failed;
    if (GenerationOf(store, sections[i]) != saves - 1) ++lost;
  }
  std::printf(
      "2 x %ld saves at once: reads while saving: %d, torn reads: %d, failed saves: %d, "
      "lost changes: %d\n",
      saves, reads, torn, failed, lost);
  return Faults("torn reads", torn) + Faults("failed saves", failed) + Faults("lost changes", lost);
}

}  // namespace
}  // namespace tagsmit::testing

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s KILLS SAVES\n", argv[0]);
    return 2;
  }
  const tagsmit::testing::TempDir root;
  setenv("XDG_CONFIG_HOME", root.path().c_str(), 1);
  const int faults =
      tagsmit::testing::KillWhileSaving(std::atoi(argv[1]), root.path() / "tagsmit") +
      tagsmit::testing::SaveAtOnce(std::atol(argv[2]));
  return faults == 0 ? 0 : 1;
}
