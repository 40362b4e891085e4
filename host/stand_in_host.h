#pragma once
// Placeholder: the stand-in host is being built.
