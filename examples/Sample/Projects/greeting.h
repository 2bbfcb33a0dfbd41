#pragma once

inline const char* Greeting()
{
    return "Hello from the sample project.";
}
