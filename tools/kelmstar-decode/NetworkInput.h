#pragma once

// kelmstar-decode on a network source: `kelmstar-decode gpsd://HOST[:PORT] [--duration=S]`.
// Decodes and prints as the bytes arrive until the source ends, SIGINT or SIGTERM comes, or
// S seconds have passed. Returns the exit status.
int DecodeNetworkInput(int argc, char** argv);
