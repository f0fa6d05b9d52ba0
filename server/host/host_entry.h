// The one entry point through which hosts (and the chart controls) create a
// drawing: by programmatic identifier ("TessaroPlamor.clsPlamor") or class
// identifier, over D-Bus by default or in this process when asked. Both give
// the same interface.
#pragma once

#include <functional>
#include <memory>
#include <string_view>

#include "server/plamor_interface.h"

namespace plamor::host {

enum class Transport { DBus, InProcess };

// Throws AutomationError: 429 when the server cannot be reached or started,
// 1003 for an identifier that names no class of the server.
std::unique_ptr<IPlamor> CreatePlamorObject(std::string_view identifier,
                                            Transport transport = Transport::DBus);

// The transport used when a caller does not choose one: D-Bus, unless the
// environment variable PLAMOR_TRANSPORT is "inproc".
Transport DefaultTransport();

// The object CreatePlamorObject makes when no factory replaces it, for a
// factory that wraps the real drawing (a host adding elements of its own
// before the output, see forwarding_plamor.h).
std::unique_ptr<IPlamor> CreateServerPlamorObject(std::string_view identifier, Transport transport);

// Replaces object creation, for tests of hosts (a recording drawing); an
// empty function restores the real one.
using PlamorFactory = std::function<std::unique_ptr<IPlamor>(std::string_view, Transport)>;
void SetPlamorFactory(PlamorFactory factory);

}  // namespace plamor::host
