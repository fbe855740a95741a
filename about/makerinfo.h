#pragma once

#include <QLatin1String>

// The maker's texts in the About dialog; the maker is fictitious.
namespace makerinfo {
inline constexpr QLatin1String copyrightLine { "Copyright (C) 1998-2003 Quillmark" };
inline constexpr QLatin1String emailAddress { "info@quillmark.example" };
inline constexpr QLatin1String webAddress { "https://www.quillmark.example/" };
} // namespace makerinfo
