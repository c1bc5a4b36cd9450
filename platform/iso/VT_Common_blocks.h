#pragma once
#include "platform/iso/VT_Common_groups.h"

// The common user-interface objects in declaration order: 973 objects of 25
// classes in 20 blocks, with their runs of placements, references, colour
// entries and polygon points.
namespace VT::Common {

using Line_attributes = One<Line_attributes_obj>;
using Font = One<Font_attributes_obj>;
using Fill = One<Fill_attributes_obj>;
using Input_attributes = One<Input_attributes_obj>;
using Number = One<Number_variable_obj>;
using Pointer = One<Object_pointer_obj>;
using Picture = One<Picture_graphic_obj>;
using Rectangle = One<Rectangle_obj>;
using Line = One<Line_obj>;
using Output_string = One<Output_string_obj>;
using Output_number = One<Output_number_obj>;
using Bar_graph = One<Linear_bar_graph_obj>;
using Arched_bar_graph = One<Arched_bar_graph_obj>;
using Plain_key = One<Key_obj>;
using Plain_button = One<Button_obj>;
using Empty_soft_key_mask = One<Soft_key_mask_obj>;
using Plain_colour = One<Named_colour_obj>;
using String = Valued<String_variable_obj, 8>;
using Input_string = Valued<Input_string_obj, 8>;
template <size_t N>
using Container = Placed<Container_obj, N>;
template <size_t N>
using Key = Placed<Key_obj, N>;
template <size_t N>
using Button = Placed<Button_obj, N>;
template <size_t N>
using Data_mask = Placed<Data_mask_obj, N>;
template <size_t N>
using Soft_key_mask = Referring<Soft_key_mask_obj, N>;
template <size_t N>
using Input_list = Referring<Input_list_obj, N>;
template <size_t N>
using Colour = Coloured<Named_colour_obj, N>;
template <size_t N>
using Colour_mask = Coloured<Named_colour_mask_obj, N>;
using Polygon = With_run<Polygon_obj, Polygon_point, 255>;

template <bool with_font, size_t pictures, size_t fills>
using Panel = Chain<Repeat<pictures, Picture>, Repeat<with_font ? 1 : 0, Font>, Repeat<fills, Fill>, Rectangle,
                    Container<9>>;

using Block_1 = Chain<Repeat<4, Line_attributes>, Repeat<4, Font>, Repeat<6, Fill>>;
using Block_2 = Chain<Empty_soft_key_mask, Repeat<29, Text>>;
using Block_3 = Chain<Repeat<5, String>, Repeat<2, Pointer>, Repeat<5, Rectangle>, Picture, Repeat<5, Container<2>>>;
using Block_4 = Chain<Repeat<3, Key<3>>, Soft_key_mask<8>,
                      Repeat<3, Chain<Repeat<7, Chain<Output_string, Key<3>>>, Soft_key_mask<8>>>,
                      Repeat<2, Chain<Picture, Key<3>>>, Soft_key_mask<8>>;
using Block_5 = Chain<Repeat<44, String>, Repeat<2, Pointer>, Picture, Container<1>, Repeat<4, Output_string>,
                      Repeat<2, Input_list<2>>>;
using Block_6 = Chain<Repeat<3, Panel<false, 8, 1>>, Panel<true, 11, 2>, Panel<true, 8, 1>, Pointer, Container<3>, Fill,
                      Rectangle, Container<6>>;
using Block_7 = Chain<Repeat<4, Font>, Repeat<6, Picture>, Repeat<9, Output_string>, Repeat<5, Pointer>, Rectangle,
                      Repeat<7, Container<3>>, Key<3>, Data_mask<3>>;
using Block_8 = Chain<Repeat<2, Line_attributes>, Repeat<15, Picture>, Repeat<7, Line>, Repeat<5, Rectangle>, Pointer,
                      Repeat<19, Container<4>>, Repeat<2, Container<3>>>;
using Block_9 = Chain<Repeat<3, Line_attributes>, Font, Repeat<2, Fill>, Repeat<5, Number>, Repeat<16, Rectangle>,
                      Repeat<4, Line>, Repeat<5, Output_string>, Repeat<2, Container<10>>>;
using Block_10 = Chain<Repeat<22, Font>, Repeat<14, Fill>>;
using Block_11 = Repeat<9, Soft_key_mask<8>>;
using Block_12 = Chain<Repeat<22, Pointer>, Picture, Rectangle, Repeat<12, Key<3>>, Repeat<14, Key<2>>, Plain_key,
                       Repeat<5, Container<6>>>;
using Block_13 = Chain<Repeat<3, Line_attributes>, Repeat<15, Pointer>, Repeat<3, Rectangle>, Repeat<2, Button<2>>,
                       Repeat<2, Button<1>>, Repeat<5, Plain_button>, Repeat<3, Container<3>>, Repeat<2, Container<2>>>;
using Block_14 = Chain<Fill, Rectangle, Repeat<135, Picture>, Repeat<3, Container<6>>>;
using Block_15 = Chain<Repeat<3, Input_attributes>, Repeat<4, Picture>, Repeat<2, Pointer>, Repeat<4, Rectangle>,
                       Repeat<2, Bar_graph>, Repeat<9, Plain_button>, Repeat<2, Output_string>,
                       Repeat<3, Container<5>>, Repeat<4, Container<4>>,
                       Repeat<10, Chain<Plain_button, Output_string, Container<2>>>>;
using Block_16 = Chain<Fill, Repeat<7, Picture>, Repeat<2, Output_string>, Repeat<15, Pointer>, Repeat<4, Rectangle>,
                       Repeat<6, Container<2>>, Repeat<2, Container<1>>>;
using Block_17 = Chain<Repeat<8, Picture>, Repeat<29, Pointer>, Repeat<4, Plain_button>, Bar_graph, Repeat<15, Key<4>>,
                       Repeat<7, Soft_key_mask<8>>, Soft_key_mask<6>, Repeat<9, Container<4>>,
                       Repeat<6, Container<3>>, Data_mask<3>>;
using Block_18 = Chain<Line_attributes, Repeat<2, String>, Repeat<9, Output_string>, Output_number, Input_string,
                       Bar_graph, Arched_bar_graph, Pointer, Repeat<2, Rectangle>, Repeat<8, Line>, Plain_button,
                       Repeat<2, Soft_key_mask<8>>, Repeat<8, Container<4>>, Container<1>, Repeat<4, Data_mask<5>>>;
using Block_19 = Chain<Repeat<5, Line_attributes>, Repeat<3, Font>, Repeat<4, Fill>, Repeat<8, Picture>,
                       Repeat<3, Output_string>, Output_number, Repeat<5, Rectangle>, Repeat<2, Container<5>>,
                       Data_mask<4>, Polygon, Container<1>, Rectangle, Repeat<20, Line>, Repeat<20, Output_number>,
                       Container<46>>;
using Block_20 = Chain<Colour_mask<79>, Colour_mask<40>, Colour_mask<30>, Colour_mask<20>, Colour_mask<15>,
                       Colour_mask<10>, Colour_mask<8>, Colour_mask<6>, Colour_mask<4>, Colour_mask<2>, Colour_mask<1>,
                       Repeat<12, Plain_colour>, Colour<10>, Colour<9>, Colour<8>, Colour<7>, Colour<6>, Colour<5>,
                       Colour<5>, Colour<4>, Colour<4>, Colour<3>, Colour<3>, Colour<3>, Colour<2>, Colour<2>,
                       Colour<2>>;

using Blocks = Chain<Block_1, Block_2, Block_3, Block_4, Block_5, Block_6, Block_7, Block_8, Block_9, Block_10, Block_11,
                     Block_12, Block_13, Block_14, Block_15, Block_16, Block_17, Block_18, Block_19, Block_20>;

}
