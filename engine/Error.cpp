#include "Error.h"

namespace xb {

static std::string compose(const std::string& message, const std::string& file) {
    return file.empty() ? message : message + ": " + file;
}

Error::Error(ErrorCode code, std::string message, std::string file)
    : std::runtime_error(compose(message, file)), code_(code), file_(std::move(file)) {}

} // namespace xb
