#pragma once
// A TCP port of 127.0.0.1 that nothing listens on now: the kernel picks it
// for a socket bound to port 0, which is then closed. Tests that start a
// server on a port of their own take one of these rather than a fixed
// number, which another test's outgoing connection may hold when tests
// run side by side.
int FreeLocalPort();
