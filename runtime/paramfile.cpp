#include "runtime/paramfile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "runtime/fatal.h"
#include "runtime/hostfilename.h"
#include "text/cp1250.h"

namespace tsd::runtime {

ParamsResult paramsfault(ParamsStatus status, const std::string& file, int record,
                         std::string problem) {
  ParamsResult r;
  r.status = status;
  r.file = file;
  r.record = record;
  r.problem = std::move(problem);
  return r;
}

std::string paramsmissingtext() { return text::cp1250_from_utf8("Błąd odczytu parametrów"); }

std::string paramsproblemtext(const ParamsResult& result) {
  return fatal_message(result.file, result.problem);
}

std::string currentdirectory() {
  std::vector<char> buf(4096);
  while (getcwd(buf.data(), buf.size()) == nullptr) {
    if (errno != ERANGE || buf.size() > (1u << 20)) return "";
    buf.resize(buf.size() * 2);
  }
  return text::cp1250_from_utf8(buf.data());
}

std::string fileindirectory(std::string_view dir, std::string_view name) {
  if (dir.empty()) return std::string(name);
  std::string path(dir);
  if (path.back() != '/') path.push_back('/');
  path.append(name);
  return path;
}

bool fileismissing(std::string_view file) {
  struct stat st {};
  return stat(host_file_name(file).c_str(), &st) != 0 && errno == ENOENT;
}

ParamsResult openparamsfile(FreeReader& reader, const std::string& file) {
  if (reader.open(file)) {
    ParamsResult ok;
    ok.file = file;
    return ok;
  }
  if (fileismissing(file)) {
    return paramsfault(ParamsStatus::missing, file, 0, text::cp1250_from_utf8("brak pliku"));
  }
  return paramsfault(ParamsStatus::unreadable, file, 0,
                     text::cp1250_from_utf8("nie można otworzyć pliku"));
}

namespace {

// Why a rewrite failed, where the host's reason is one a user can act on;
// `otherwise` for the rest.
std::string rewriteproblem(int error, const char* otherwise) {
  switch (error) {
    case EACCES:
    case EPERM:
      return text::cp1250_from_utf8("brak prawa zapisu pliku");
    case EROFS:
      return text::cp1250_from_utf8("dysk tylko do odczytu");
    default:
      return text::cp1250_from_utf8(otherwise);
  }
}

}  // namespace

ParamsResult beginparamsrewrite(TextFile& f, const std::string& file) {
  if (f.open_replace(file) != FileStatus::ok) {
    return paramsfault(ParamsStatus::write_failed, file, 0, rewriteproblem(f.error(), "nie można utworzyć pliku"));
  }
  ParamsResult ok;
  ok.file = file;
  return ok;
}

ParamsResult endparamsrewrite(TextFile& f, const std::string& file) {
  if (f.close() != FileStatus::ok) {
    return paramsfault(ParamsStatus::write_failed, file, 0, rewriteproblem(f.error(), "błąd zapisu pliku"));
  }
  ParamsResult ok;
  ok.file = file;
  return ok;
}

std::string recordprefix(int record) {
  return text::cp1250_from_utf8("rekord ") + std::to_string(record) + ": ";
}

std::string outofrangetext(const RangeCheck& check) {
  return recordprefix(check.record) + check.name + " = " + std::to_string(check.value) +
         text::cp1250_from_utf8(" poza zakresem ") + std::to_string(check.lo) + ".." +
         std::to_string(check.hi);
}

ParamsResult firstoutofrange(const std::string& file, std::span<const RangeCheck> checks) {
  for (const RangeCheck& c : checks) {
    if (c.value < c.lo || c.value > c.hi) {
      return paramsfault(ParamsStatus::out_of_range, file, c.record, outofrangetext(c));
    }
  }
  ParamsResult ok;
  ok.file = file;
  return ok;
}

std::string readproblem(const ReadResult& result, int record, std::string_view badvalue) {
  std::string what;
  if (result.status == ReadStatus::bad_value) {
    what = std::string(badvalue);
  } else if (result.status == ReadStatus::end_of_file) {
    what = text::cp1250_from_utf8("za mało wartości (koniec pliku)");
  } else {
    what = text::cp1250_from_utf8("brak wartości");
  }
  return recordprefix(record) + what;
}

}  // namespace tsd::runtime
