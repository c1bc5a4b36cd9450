#include "platform/can/Bus_select.h"
#include "platform/can/ZEV_smart_stack.h"
#include "platform/rtos/Diner.h"
#include "platform/rtos/module_man.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

// The ids a task holds: its own and those registered through its manager.
std::vector<int> ids_of(Diner& task, int extra)
{
    std::vector<int> ids{task.get_module_id()};
    for (int i = 0; i < extra; ++i)
        ids.push_back(task.get_module_man()->register_module("extra"));
    return ids;
}

// Each cycle takes five ids, as a CAN stack does: 300 cycles need 1,500 of
// the 250, so they only succeed when a task's ids go back with it.
TEST(module_man, the_ids_of_a_task_go_back_with_it_and_a_live_modules_id_is_never_given_again)
{
    enum class Cycle { new_task, same_task_initialised_again };
    for (Cycle cycle : {Cycle::new_task, Cycle::same_task_initialised_again}) {
        module_man registry;
        std::vector<std::unique_ptr<Diner>> live(10);
        std::set<int> live_ids;
        for (auto& task : live) {
            task = std::make_unique<Diner>();
            ASSERT_TRUE(task->init(&registry, nullptr, "Live", 50, 1024, true, false));
            for (int id : ids_of(*task, 4))
                ASSERT_TRUE(live_ids.insert(id).second) << id;
        }
        Diner reused;
        for (int i = 0; i < 300; ++i) {
            std::unique_ptr<Diner> fresh;
            Diner& task = cycle == Cycle::new_task ? *(fresh = std::make_unique<Diner>()) : reused;
            ASSERT_TRUE(task.init(&registry, nullptr, "Cycled", 50, 1024, true, false)) << "cycle " << i;
            for (int id : ids_of(task, 4)) {
                ASSERT_GT(id, 0) << "cycle " << i;
                EXPECT_EQ(live_ids.count(id), 0u) << "cycle " << i << " was given live id " << id;
            }
        }
        for (auto& task : live)
            EXPECT_EQ(registry.get_module_name(task->get_module_id()), "Live");
    }
}

TEST(module_man, a_freed_id_comes_back_only_when_no_fresh_one_is_left_the_oldest_first)
{
    module_man registry;
    auto first = std::make_unique<module_man>(registry);
    auto second = std::make_unique<module_man>(registry);
    const int a = first->register_module("a");
    const int b = second->register_module("b");
    EXPECT_EQ(registry.get_module_name(a), "a");
    second.reset();
    first.reset();
    EXPECT_EQ(registry.get_module_name(a), "");
    EXPECT_EQ(registry.get_module_name(b), "");

    std::set<int> fresh;
    for (int i = 0; i < module_man::max_modules - 2; ++i)
        fresh.insert(registry.register_module("fresh"));
    EXPECT_EQ(fresh.size(), size_t(module_man::max_modules - 2));
    EXPECT_EQ(fresh.count(a) + fresh.count(b) + fresh.count(-1), 0u);
    EXPECT_EQ(registry.register_module("x"), b);
    EXPECT_EQ(registry.register_module("y"), a);
    EXPECT_EQ(registry.register_module("z"), -1);
    EXPECT_EQ(registry.get_module_name(b), "x");
}

TEST(module_man, a_task_may_outlive_the_manager_it_registered_with)
{
    // A static task at exit, for example.
    Diner task;
    {
        module_man registry;
        ASSERT_TRUE(task.init(&registry, nullptr, "Outliving", 50, 1024, true, false));
    }
    EXPECT_GT(task.get_module_man()->register_module("late"), 0);
}

TEST(module_man, three_hundred_can_stacks_opened_and_destroyed_in_turn_beside_a_live_one)
{
    module_man registry;
    const std::string spec = "mem,name=module_man_stacks";
    ZEV_smart_stack live;
    ASSERT_TRUE(live.open(Bus_select::start(spec.c_str(), nullptr), &registry));
    const std::set<int> live_ids{live.get_module_id(), live.get_name_module(), live.get_receive_module(),
                                 live.get_request_module(), live.get_completion_module()};
    ASSERT_EQ(live_ids.size(), 5u);
    for (int i = 0; i < 300; ++i) {
        ZEV_smart_stack stack;
        ASSERT_TRUE(stack.open(Bus_select::start(spec.c_str(), nullptr), &registry)) << "cycle " << i;
        for (int id : {stack.get_module_id(), int(stack.get_name_module()), int(stack.get_receive_module()),
                       int(stack.get_request_module()), int(stack.get_completion_module())})
            ASSERT_EQ(live_ids.count(id), 0u) << "cycle " << i << " was given live id " << id;
    }
}

}
