#pragma once

class QString;

// Hands a web address to the user's default handler. Only http and https addresses
// are passed on. Returns whether the handler accepted it.
bool openWebAddress(const QString& address);
