#include "platform/ui/Window.h"

#include "platform/ui/Window_Activator.h"

#include <algorithm>

Window::~Window()
{
    for (Activator* activator : std::vector<Activator*>(activators_))
        activator->window_ = nullptr;
}

void Window::add_activator(Activator* activator)
{
    if (std::find(activators_.begin(), activators_.end(), activator) == activators_.end())
        activators_.push_back(activator);
}

void Window::remove_activator(Activator* activator)
{
    activators_.erase(std::remove(activators_.begin(), activators_.end(), activator), activators_.end());
}
